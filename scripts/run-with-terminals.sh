#!/usr/bin/env bash
# Drains simulated hand terminals into the installed program: headless, on a pseudo-terminal.
# Usage: run-with-terminals.sh BUILD_DIR SOURCE_DIR TERMINALS RECORDS [SIMULATOR OPTIONS...]
# Ends with 0 only when every record the terminals hold is acknowledged and stands in the log files
# exactly once (the simulator drains them all and checks the files). Prints how long the draining
# took. The end-to-end test and bench/drain.sh run it.
set -euo pipefail
build=$1 source=$2 terminals=$3 records=$4
shift 4
work=$(mktemp -d)
folder="$work/pcvimo"
trap 'kill "${program:-}" 2>/dev/null || true; wait; rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$folder" >/dev/null
"$source/scripts/demo-setup.sh" "$folder"

# Records take about a second each on the 4800 baud line (allow three times that).
"$build/tools/pcvimo-simulator" --folder "$folder" --port 3 --terminals "$terminals" --records "$records" \
  --seed 11 --until-drained --duration $((90 + terminals * records * 3)) --verify-log "$folder" --quiet "$@" \
  > "$work/summary.txt" &
sim=$!
for _ in $(seq 100); do [ -L "$folder/ports/COM3" ] && break; sleep 0.1; done
start=$(date +%s%N)
(cd "$work" && QT_QPA_PLATFORM=offscreen exec "$folder/pcvimo") > "$work/program.log" 2>&1 &
program=$!

wait "$sim" || { echo "simulator ended with $?"; cat "$work/summary.txt" "$work/program.log"; exit 1; }
end=$(date +%s%N)
cat "$work/summary.txt"
awk -v ns=$((end - start)) -v t="$terminals" -v r="$records" -v o="$*" \
  'BEGIN { printf "%d terminals x %d records drained in %.1f s %s\n", t, r, ns / 1e9, o }'
