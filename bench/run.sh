#!/usr/bin/env bash
# Builds the record benchmarks, makes their data (once) and compares the year's range load
# with the floor of reading and sorting the same lines with the system's tools.
#
#   bench/run.sh            BUILD_DIR (default build-bench) and BENCH_ARGS may be set.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
build="${BUILD_DIR:-$root/build-bench}"
data="$here/data"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DPCVIMO_BUILD_TESTS=OFF > /dev/null
cmake --build "$build" -j2 --target pcvimo pcvimo-make-year records_bench > /dev/null

maker="$build/bench/pcvimo-make-year"
if [ ! -d "$data/year/VimoLog" ]; then
  "$maker" "$data/year"
fi
if [ ! -d "$data/startup/VimoLog" ]; then
  "$maker" "$data/startup" --first 2024-03-06 --days 2 --per-day 5000
fi
if [ ! -d "$data/startup-busy/VimoLog" ]; then
  "$maker" "$data/startup-busy" --first 2024-03-06 --days 2 --per-day 36500 --sows 1200
fi

results="$(mktemp)"
trap 'rm -f "$results"' EXIT
PCVIMO_BENCH_DATA="$data" "$build/bench/records_bench" ${BENCH_ARGS:-} | tee "$results"

# The floor: every record line of a folder's files, sorted by its date and time, nothing shown.
floor_ms() {
  local folder=$1 best=""
  for _ in 1 2 3 4 5; do
    local start end ms
    start=$(date +%s%N)
    (cd "$folder" && tail -q -n +2 VimoLog/*.txt | LC_ALL=C sort -s -t$'\t' -k1,1 > /dev/null)
    end=$(date +%s%N)
    ms=$(( (end - start) / 1000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  awk -v us="$best" 'BEGIN { printf "%.2f", us / 1000 }'
}

compare() {
  local name=$1 folder=$2 target=$3 floor load
  floor=$(floor_ms "$folder")
  load=$(awk -v n="$name/" 'index($1, n) == 1 { print $2; exit }' "$results")
  echo "$name: ${load} ms; floor (tail | sort, best of 5) ${floor} ms;" \
    "$(awk -v a="$load" -v b="$floor" -v t="$target" 'BEGIN { printf "ratio %.2f (target <= %s)", a / b, t }')"
}
echo
compare BM_RangeLoadYear "$data/year" 3
compare startupLoad/TwoBusyDays "$data/startup-busy" 2

# What the user waits for: the installed program started on the busy days, as a process.
program="$build/program"
rm -rf "$program"
cmake --install "$build" --prefix "$program" --component program > /dev/null
"$root/scripts/demo-setup.sh" "$program"
python3 "$here/startup.py" "$program" "$data/startup-busy"
