#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when missing.
set -euo pipefail
# CI installs everything once and says so; the scripts it calls then need not look again.
[ "${PCVIMO_DEPS_READY:-}" = 1 ] && exit 0
packages=(build-essential cmake pkg-config qt6-base-dev qt6-serialport-dev libgtest-dev libgmock-dev
          libbenchmark-dev xvfb xauth x11-apps imagemagick python3 clang-format)
# --hardening: clang and its libFuzzer runtime too, for scripts/ci-hardening.sh.
[ "${1:-}" = --hardening ] && packages+=(clang libclang-rt-dev)
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
