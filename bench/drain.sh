#!/usr/bin/env bash
# Drain time of three terminals with ten records each, on a clean line and with one record packet
# in four broken: the installed program, headless at its own tick, against the simulator on a
# pseudo-terminal. A broken packet must cost seconds, not the minute until the next count request.
# Usage: bench/drain.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" -j"$(nproc)" --target pcvimo pcvimo-simulator >/dev/null
work=$(mktemp -d)
trap 'kill "${program:-}" 2>/dev/null || true; wait; rm -rf "$work"' EXIT

run=0
for broken in "" "--corrupt-records 0.25"; do
  folder="$work/run$((++run))"
  cmake --install "$build" --prefix "$folder" >/dev/null
  "$root/scripts/demo-setup.sh" "$folder"
  # shellcheck disable=SC2086
  "$build/tools/pcvimo-simulator" --folder "$folder" --port 3 --terminals 3 --records 10 --seed 7 \
    --until-drained --duration 900 --verify-log "$folder" --quiet $broken > "$work/summary.txt" &
  sim=$!
  for _ in $(seq 100); do [ -L "$folder/ports/COM3" ] && break; sleep 0.1; done
  start=$(date +%s%N)
  (cd "$work" && QT_QPA_PLATFORM=offscreen exec "$folder/pcvimo") > "$work/program.log" 2>&1 &
  program=$!
  wait "$sim" || { echo "simulator ended with $?"; cat "$work/summary.txt"; exit 1; }
  end=$(date +%s%N)
  kill "$program"; wait "$program" 2>/dev/null || true
  awk -v ns=$((end - start)) -v b="$broken" 'BEGIN { printf "3 terminals x 10 records drained in %.1f s %s\n", ns / 1e9, b }'
done
