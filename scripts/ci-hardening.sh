#!/usr/bin/env bash
# Hardening, run by CI after the normal tests. One build with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer that holds both the test suites and the libFuzzer targets:
#   1. the unit suites under the sanitizers (the live fault runs and the end-to-end run of the
#      installed program are left to the normal build: their timing is the point);
#   2. each fuzz target for a short while on its seed corpus.
#   scripts/ci-hardening.sh [fuzz-seconds-per-target]     (default 30)
# HARDENING_BUILD_DIR chooses the build folder (default: build-hardening in the repository).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
fuzz_seconds=${1:-30}
build=${HARDENING_BUILD_DIR:-$top/build-hardening}
jobs=$(nproc)
start=$(date +%s)

"$top/scripts/install-deps.sh" --hardening

echo "== Sanitizer build (clang, ASan + UBSan, fuzz targets) in $build"
. "$top/scripts/ccache-launcher.sh"
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPCVIMO_FUZZ=ON \
  -DPCVIMO_SANITIZE=ON -DPCVIMO_BUILD_TESTS=ON -DPCVIMO_BUILD_BENCH=OFF -DPCVIMO_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$jobs"
built=$(date +%s)

echo "== Unit suites under the sanitizers"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
(cd "$build" && ctest --output-on-failure -j"$jobs" --timeout 900 -LE 'e2e|live')
tests_done=$(date +%s)

echo "== Fuzzing, ${fuzz_seconds}s per target"
unset ASAN_OPTIONS UBSAN_OPTIONS
BUILD_DIR="$build" PCVIMO_JOBS="$jobs" "$top/fuzz/run.sh" "$fuzz_seconds"

end=$(date +%s)
echo "Hardening passed: sanitizer build $((built - start)) s, tests under the sanitizers $((tests_done - built)) s, fuzzing $((end - tests_done)) s."
