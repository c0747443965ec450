#!/usr/bin/env bash
# Builds the fuzz targets with clang (sanitizers on) and runs each for a while on a copy of its
# seed corpus, one after the other on one core.
#   fuzz/run.sh [seconds-per-target] [target ...]
# Fails when any target finds a crash, a sanitizer report, a timeout or a broken check; the
# input that did it is kept in the run folder's artifacts/.
# BUILD_DIR (default: build-fuzz beside the repository) and FUZZ_RUN_DIR (default:
# BUILD_DIR/fuzz-run) can be set from outside.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
targets=("$@")
build=${BUILD_DIR:-$(dirname "$top")/build-fuzz}
run=${FUZZ_RUN_DIR:-$build/fuzz-run}
jobs=${PCVIMO_JOBS:-2}

# A build folder already set up for fuzzing (the CI's hardening build, which holds the tests too)
# is used as it is.
if ! grep -q '^PCVIMO_FUZZ:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null; then
  CC=clang CXX=clang++ cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPCVIMO_FUZZ=ON \
    -DPCVIMO_SANITIZE=ON -DPCVIMO_BUILD_TESTS=OFF -DPCVIMO_BUILD_BENCH=OFF >/dev/null || exit 2
fi
# Every target fuzz/CMakeLists.txt makes, unless some are named.
[ ${#targets[@]} -eq 0 ] && read -r -a targets <"$build/fuzz/targets.txt"
cmake --build "$build" -j"$jobs" --target "${targets[@]}" >"$build/fuzz-build.log" 2>&1 || {
  tail -40 "$build/fuzz-build.log"
  exit 2
}

# Qt stays quiet; the sanitizers stop at the first report. The targets allocate a lot of small
# strings: a short allocation history and no fill of fresh blocks double their speed.
export QT_LOGGING_RULES="*.debug=false;*.warning=false"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:max_malloc_fill_size=0:malloc_context_size=8:quarantine_size_mb=64}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# The targets' program folders live in memory when they can.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  TMPDIR=$(mktemp -d /dev/shm/pcvimo-fuzz.XXXXXX)
  export TMPDIR
  trap 'rm -rf "$TMPDIR"' EXIT
fi

failed=()
summary=()
for target in "${targets[@]}"; do
  work="$run/$target"
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp "$top/fuzz/corpus/$target/"* "$work/corpus/"
  dict=()
  [ -f "$top/fuzz/dict/$target.dict" ] && dict=(-dict="$top/fuzz/dict/$target.dict")
  echo "== $target: ${seconds}s"
  "$build/fuzz/$target" "$work/corpus" "${dict[@]}" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/artifacts/" >"$work/log" 2>&1
  status=$?
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/log" | grep -o '[0-9]*$')
  last=$(grep -E '^#[0-9]+.*cov: ' "$work/log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' <<<"$last" | grep -o '[0-9]*')
  ft=$(grep -o 'ft: [0-9]*' <<<"$last" | grep -o '[0-9]*')
  corpus=$(grep -o 'corp: [0-9]*/[0-9a-zA-Z]*' <<<"$last" | cut -d' ' -f2)
  if [ $status -ne 0 ]; then
    failed+=("$target")
    grep -E 'ERROR|runtime error|fuzz check failed|SUMMARY|Test unit written' "$work/log" | head -20
  fi
  summary+=("$(printf '%-20s status %-3s executions %-10s coverage %-6s features %-6s corpus %s' \
    "$target" "$status" "${execs:-?}" "${cov:-?}" "${ft:-?}" "${corpus:-?}")")
done

echo
echo "Fuzzing summary (${seconds}s per target; logs in $run):"
printf '  %s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED: ${failed[*]} (inputs in $run/<target>/artifacts/)"
  exit 1
fi
