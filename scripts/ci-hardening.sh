#!/usr/bin/env bash
# Hardening, run by CI after the normal tests:
#   1. every test suite built with gcc under AddressSanitizer and UndefinedBehaviorSanitizer;
#   2. each fuzz target (clang, libFuzzer) for a short while on its seed corpus.
#   scripts/ci-hardening.sh [fuzz-seconds-per-target]     (default 30)
# ASAN_BUILD_DIR and FUZZ_BUILD_DIR choose the build folders (default: build-asan and
# build-fuzz in the repository).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
fuzz_seconds=${1:-30}
asan_build=${ASAN_BUILD_DIR:-$top/build-asan}
fuzz_build=${FUZZ_BUILD_DIR:-$top/build-fuzz}
jobs=$(nproc)
start=$(date +%s)

"$top/scripts/install-deps.sh"
# clang and its libFuzzer runtime for the fuzz targets.
missing=()
for p in clang libclang-rt-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

echo "== Sanitizer build (gcc, ASan + UBSan) in $asan_build"
CC=gcc CXX=g++ cmake -S "$top" -B "$asan_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPCVIMO_SANITIZE=ON \
  -DPCVIMO_BUILD_BENCH=OFF -DPCVIMO_WERROR=ON >/dev/null
cmake --build "$asan_build" -j"$jobs"

echo "== Test suites under the sanitizers"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
(cd "$asan_build" && ctest --output-on-failure -j"$jobs" --timeout 900)
tests_done=$(date +%s)

echo "== Fuzzing, ${fuzz_seconds}s per target"
unset ASAN_OPTIONS UBSAN_OPTIONS
BUILD_DIR="$fuzz_build" PCVIMO_JOBS="$jobs" "$top/fuzz/run.sh" "$fuzz_seconds"

end=$(date +%s)
echo "Hardening passed: sanitizer build and tests $((tests_done - start))s, fuzzing $((end - tests_done))s."
