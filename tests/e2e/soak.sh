#!/usr/bin/env bash
# Soak run: the fault test as one long run (eight terminals, the line gone every five
# minutes) for SECONDS (default 1800). Prints the figures. Usage: soak.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=$1 seconds=${2:-1800}
PCVIMO_SOAK_SECONDS=$seconds QT_QPA_PLATFORM=offscreen exec "$build/tests/live_tests" \
  --gtest_filter='LiveFaults/EachFault.*'
