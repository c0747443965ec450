#!/usr/bin/env bash
# Soak run: the program in-process against eight simulated terminals with every line fault on
# and the line vanishing every five minutes, for SECONDS (default 1800). Prints the figures.
# Usage: soak.sh BUILD_DIR [SECONDS]
# PCVIMO_SOAK_RECORDS, PCVIMO_SOAK_SEED and PCVIMO_SOAK_FAULTS change the run (see
# tests/live/live_soak_test.cpp).
set -euo pipefail
build=$1 seconds=${2:-1800}
PCVIMO_SOAK_SECONDS=$seconds QT_QPA_PLATFORM=offscreen exec "$build/tests/live_tests" --gtest_filter='LiveSoak.*'
