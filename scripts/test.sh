#!/usr/bin/env bash
# Builds everything and runs every test (unit, binding smoke and end-to-end).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
build="$top/build"
. "$top/scripts/ccache-launcher.sh"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPCVIMO_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
# The program's logic and its tests need no more than Qt Core.
for t in tests/protocol_tests tests/settings_tests tests/link_tests tests/records_tests tests/app_tests \
         tools/simulator_tests; do
  if [ ! -x "$build/$t" ]; then
    echo "$t was not built"
    exit 1
  fi
  if ldd "$build/$t" | grep -qE 'libQt6(Gui|Widgets|SerialPort)'; then
    echo "$t links Qt Gui, Widgets or Serial Port"
    exit 1
  fi
done
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 600
