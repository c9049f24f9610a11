#!/usr/bin/env bash
# Installs everything Murovex needs to build, run and test, from Debian's
# packages. Safe to run again: it only installs what is missing.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ clang-14 libclang-rt-14-dev
  libgtest-dev googletest libbenchmark-dev clang-format clang-tidy
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-apps imagemagick xserver-xephyr
  nsis zip unzip
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
echo "setup: all packages present"
