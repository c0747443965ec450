#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when missing.
set -euo pipefail
# CI installs everything once and says so; the scripts it calls then need not look again.
[ "${PCVIMO_DEPS_READY:-}" = 1 ] && exit 0
packages=(build-essential cmake pkg-config qt6-base-dev qt6-serialport-dev libgtest-dev libgmock-dev
          libbenchmark-dev xvfb xauth x11-apps imagemagick python3 clang-format ccache)
for option in "$@"; do
  case $option in
    # clang and its libFuzzer runtime, for scripts/ci-hardening.sh
    --hardening) packages+=(clang libclang-rt-dev) ;;
    # the Windows build, Wine with its fonts, the installer and the icon, for scripts/windows.sh
    --windows) packages+=(g++-mingw-w64-x86-64-posix wine64 fonts-wine nsis googletest ninja-build librsvg2-bin
                          xz-utils) ;;
    *) echo "install-deps.sh: unknown option $option"; exit 3 ;;
  esac
done
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
