#!/usr/bin/env bash
# End to end: the installed program, headless, with simulated hand terminals on a pseudo-terminal.
# Usage: run_with_terminals.sh BUILD_DIR SOURCE_DIR TERMINALS RECORDS
# Passes when every record the terminals hold is acknowledged and stands in the log files exactly
# once, and the names and intervals the terminals received are those of the setup file.
set -euo pipefail
build=$1 source=$2 terminals=$3 records=$4
work=$(mktemp -d)
folder="$work/pcvimo"
trap 'kill "${program:-}" 2>/dev/null || true; wait; rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$folder" >/dev/null
"$source/scripts/demo-setup.sh" "$folder"
setup=$(ls "$folder"/Setup/FarSetup-*.txt | sort | tail -n 1)

# Records take about a second each on the 4800 baud line (allow three times that); after the
# last one the terminals listen for 40 s more, so that a whole broadcast cycle reaches them.
# Their own log check proves every confirmed record stored once.
"$build/tools/pcvimo-simulator" --folder "$folder" --port 3 --terminals "$terminals" --records "$records" \
  --seed 11 --until-drained --duration $((90 + terminals * records * 3)) --linger 40 --verify-log "$folder" \
  --state-file "$work/state.json" --quiet > "$work/summary.txt" &
sim=$!
for _ in $(seq 100); do [ -L "$folder/ports/COM3" ] && break; sleep 0.1; done
(cd "$work" && QT_QPA_PLATFORM=offscreen exec "$folder/pcvimo") > "$work/program.log" 2>&1 &
program=$!

wait "$sim" || { echo "simulator ended with $?"; cat "$work/summary.txt" "$work/program.log"; exit 1; }
cat "$work/summary.txt"
python3 - "$work/state.json" "$setup" "$((terminals * records))" <<'PY'
import json, sys
state, expected = json.load(open(sys.argv[1])), int(sys.argv[3])
text = open(sys.argv[2], encoding="cp1252", newline="").read()
setup = dict(line.split("\t", 1) for line in text.split("\r\n") if "\t" in line)
minutes = lambda key: int(setup[key].split(":")[0]) * 60 + int(setup[key].split(":")[1])
name = lambda kind, k: setup.get(f"{kind} {k}", "")[:20].ljust(20)
want = {"staff": [name("Staff", k) for k in range(1, 21)], "medicine": [name("Medicine", k) for k in range(1, 11)],
        "interval1": min(minutes("Interval 1"), 255), "duration1": minutes("Duration 1"),
        "interval2": minutes("Interval 2"), "temperatureChoice": int(setup["Temperature"])}
b = state["broadcasts"]
errors = [f"{key}: {b[key]!r} != {value!r}" for key, value in want.items() if b[key] != value]
acknowledged = sum(t["acknowledged"] for t in state["terminals"])
if acknowledged != expected:
    errors.append(f"{acknowledged} records acknowledged, expected {expected}")
print("\n".join(errors) or f"{acknowledged} records acknowledged and logged once; broadcasts match the setup file")
sys.exit(1 if errors else 0)
PY
