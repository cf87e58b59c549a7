#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, when missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev clang-format shellcheck
  libsdl2-dev libsdl2-ttf-dev libsdl2-image-dev libx11-dev
  fonts-liberation fonts-dejavu-core
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils x11-apps imagemagick
  dpkg-dev desktop-file-utils appstream
  # The Windows build and its tests: the MinGW-w64 cross compilers with the posix thread
  # model, and Wine (wine64, and wine for the wine command) to run what they make.
  g++-mingw-w64-x86-64-posix wine wine64
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
