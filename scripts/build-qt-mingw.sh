#!/usr/bin/env bash
# Builds the Qt that scripts/windows.sh builds against, for those without the ready archive:
# Qt 6.4.2 (Core, Gui, Widgets, PrintSupport, SerialPort; the windows, offscreen and minimal
# platform plugins, the Vista style, the image plugins) for x86_64-w64-mingw32 with the posix-thread
# MinGW-w64 compiler, from Debian 12's own qt6-base and qt6-serialport source packages, plus the
# MinGW runtime DLLs in bin/. About 35 minutes on 2 cores; run as root (or with sudo) on Debian 12.
# Usage: scripts/build-qt-mingw.sh [PREFIX [WORKDIR]]
#   PREFIX   where Qt goes (default build-windows/qt6-mingw, where scripts/windows.sh looks);
#            elsewhere, give it to scripts/windows.sh as QT_MINGW_DIR=PREFIX
#   WORKDIR  sources and build trees (default /tmp/qt-mingw-work)
# PCVIMO_QT_ARCHIVE=FILE also packs the result as a relocatable .tar.xz.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
prefix=$(realpath -m "${1:-$top/build-windows/qt6-mingw}")
work=$(realpath -m "${2:-/tmp/qt-mingw-work}")
jobs=$(nproc)
mkdir -p "$work" && cd "$work"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# Source packages need deb-src lines beside the deb ones.
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
    $sudo tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends g++-mingw-w64-x86-64-posix \
  mingw-w64-tools ninja-build cmake qt6-base-dev qt6-base-dev-tools dpkg-dev xz-utils >/dev/null

# Debian 12's versions, the ones the Linux build uses too.
if [ ! -d qtbase-everywhere-src-6.4.2 ]; then
  apt-get source --download-only qt6-base=6.4.2+dfsg-10 >/dev/null
  tar xf qt6-base_6.4.2+dfsg.orig.tar.xz
fi
if [ ! -d qtserialport-everywhere-src-6.4.2 ]; then
  apt-get source --download-only qt6-serialport=6.4.2-2 >/dev/null
  tar xf qt6-serialport_6.4.2.orig.tar.xz
fi

host=(-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
# Only what the program uses. The Debian source leaves out the tablet (wintab) header: no tablet
# events; the bundled image, font and compression libraries, as Windows has none of its own.
cmake -S qtbase-everywhere-src-6.4.2 -B build-base -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" \
  "${host[@]}" -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no \
  -DFEATURE_vulkan=OFF -DFEATURE_testlib=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
  -DFEATURE_tabletevent=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
  -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF
cmake --build build-base --parallel "$jobs"
cmake --install build-base

"$prefix/bin/qt-cmake" -S qtserialport-everywhere-src-6.4.2 -B build-serialport -G Ninja "${host[@]}" \
  -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
cmake --build build-serialport --parallel "$jobs"
cmake --install build-serialport

# The MinGW runtime beside Qt's DLLs, so that test programs find it on the same path.
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  cp "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)" "$prefix/bin/"
done
x86_64-w64-mingw32-strip --strip-unneeded "$prefix"/bin/*.dll "$prefix"/plugins/*/*.dll

if [ -n "${PCVIMO_QT_ARCHIVE:-}" ]; then
  tar -C "$(dirname "$prefix")" -cf - "$(basename "$prefix")" | xz -T0 -6 >"$PCVIMO_QT_ARCHIVE"
  echo "$PCVIMO_QT_ARCHIVE"
fi
echo "$prefix"
