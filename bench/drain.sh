#!/usr/bin/env bash
# Drain time of three terminals with ten records each, on a clean line and with one record packet
# in four broken: the installed program, headless at its own tick, against the simulator on a
# pseudo-terminal (the end-to-end run). A broken packet must cost seconds, not the minute until
# the next count request. Usage: bench/drain.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" -j"$(nproc)" --target pcvimo pcvimo-simulator >/dev/null
"$root/scripts/run-with-terminals.sh" "$build" "$root" 3 10 | grep drained
"$root/scripts/run-with-terminals.sh" "$build" "$root" 3 10 --corrupt-records 0.25 | grep drained
