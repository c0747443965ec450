#!/usr/bin/env bash
# Drain time of three terminals with ten records each at the program's own tick, on a clean line
# and with one packet in four broken (the live harness: the program's own objects and real serial
# port against the simulator). Usage: bench/drain.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" -j"$(nproc)" --target live_tests pcvimo-simulator >/dev/null
PCVIMO_DRAIN_BENCH=1 QT_QPA_PLATFORM=offscreen "$build/tests/live_tests" \
  --gtest_filter='LiveFaults.drainTimeCleanAndWithBrokenPackets' | grep -E 'drained|OK|FAILED'
