#!/usr/bin/env bash
# End to end: the installed program, headless, with simulated hand terminals on a pseudo-terminal.
# Usage: run_with_terminals.sh BUILD_DIR SOURCE_DIR TERMINALS RECORDS
# Passes when every record the terminals hold is acknowledged and stands in the log files exactly
# once, and the names and intervals the terminals received are those of the setup file.
set -euo pipefail
build=$1 source=$2 terminals=$3 records=$4
work=$(mktemp -d)
folder="$work/pcvimo"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cmake --install "$build" --prefix "$folder" >/dev/null
"$source/scripts/demo-setup.sh" "$folder"
setup=$(ls "$folder"/Setup/FarSetup-*.txt | sort | tail -n 1)

# Records take about a second each on the 4800 baud line (allow three times that); after the
# last one the terminals listen for 40 s more, so that a whole broadcast cycle reaches them.
limit=$((90 + terminals * records * 3))
"$build/tools/pcvimo-simulator" --folder "$folder" --port 3 --terminals "$terminals" --records "$records" \
  --seed 11 --until-drained --duration "$limit" --linger 40 --verify-log "$folder" \
  --state-file "$work/state.json" --quiet > "$work/summary.txt" &
sim=$!
for _ in $(seq 100); do [ -L "$folder/ports/COM3" ] && break; sleep 0.1; done

(cd "$work" && QT_QPA_PLATFORM=offscreen exec "$folder/pcvimo") > "$work/program.log" 2>&1 &
pids+=($!)

status=0
wait "$sim" || status=$?
cat "$work/summary.txt"
if [ "$status" -ne 0 ]; then
  echo "simulator ended with $status"; cat "$work/program.log"; exit 1
fi

python3 - "$work/state.json" "$setup" "$folder" "$((terminals * records))" <<'PY'
import glob, json, sys
state_path, setup_path, folder, expected = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
state = json.load(open(state_path))
setup = {}
for line in open(setup_path, encoding="cp1252", newline="").read().split("\r\n"):
    if "\t" in line:
        key, value = line.split("\t", 1)
        setup[key] = value

def minutes(text):
    h, m = text.split(":")
    return int(h) * 60 + int(m)

errors = []
acknowledged = sum(t["acknowledged"] for t in state["terminals"])
if acknowledged != expected:
    errors.append(f"{acknowledged} records acknowledged, expected {expected}")
lines = []
for name in sorted(glob.glob(folder + "/VimoLog/FAR-*.txt")):
    lines += [l for l in open(name, encoding="cp1252", newline="").read().split("\r\n")[1:] if l]
if len(lines) != expected:
    errors.append(f"{len(lines)} lines in the log files, expected {expected}")
b = state["broadcasts"]
for k in range(1, 21):
    want = setup.get(f"Staff {k}", "")[:20].ljust(20)
    if b["staff"][k - 1] != want:
        errors.append(f"staff {k}: {b['staff'][k - 1]!r} != {want!r}")
for k in range(1, 11):
    want = setup.get(f"Medicine {k}", "")[:20].ljust(20)
    if b["medicine"][k - 1] != want:
        errors.append(f"medicine {k}: {b['medicine'][k - 1]!r} != {want!r}")
for key, field, cap in (("Interval 1", "interval1", 255), ("Duration 1", "duration1", None), ("Interval 2", "interval2", None)):
    want = minutes(setup[key]) if cap is None else min(minutes(setup[key]), cap)
    if b[field] != want:
        errors.append(f"{key}: {b[field]} != {want}")
if b["temperatureChoice"] != int(setup["Temperature"]):
    errors.append(f"temperature choice {b['temperatureChoice']} != {setup['Temperature']}")
if errors:
    print("\n".join(errors))
    sys.exit(1)
print(f"{acknowledged} records acknowledged and logged once; broadcasts match the setup file")
PY
