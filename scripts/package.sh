#!/usr/bin/env bash
# Builds the program without tests in its own folder and makes both packages there:
# pcvimo-<version>-Linux.tar.gz (a program folder to unpack anywhere) and
# pcvimo_<version>_<arch>.deb (installs in /opt/pcvimo with a menu entry).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"

build="${PCVIMO_PACKAGE_BUILD:-$top/build-package}"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DPCVIMO_BUILD_TESTS=OFF -DPCVIMO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target pcvimo
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$top/packaging/pcvimo.desktop"; fi
(cd "$build" && cpack)
ls -l "$build"/pcvimo-*.tar.gz "$build"/pcvimo_*.deb
