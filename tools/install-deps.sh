#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages the build, the game and the tests need, when missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev clang-format shellcheck
  libsdl2-dev libsdl2-ttf-dev libsdl2-image-dev libx11-dev
  fonts-liberation fonts-dejavu-core
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils x11-apps imagemagick openbox
  dpkg-dev desktop-file-utils appstream
  # The package's checks (hardening-check, lintian) and the release's (unzip).
  devscripts lintian unzip
  # The Windows build and its tests: the MinGW-w64 cross compilers with the posix thread
  # model, and Wine (wine64, and wine for the wine command) to run what they make.
  g++-mingw-w64-x86-64-posix wine wine64
  # The Windows installer (makensis) and the look into the program file's resources.
  nsis icoutils
  # The browser build and its tests: Emscripten, stb for pictures and fonts, fontTools to
  # cut the fonts down, Chromium and Node.js with npm for Playwright.
  emscripten binaryen libstb-dev python3-fonttools chromium nodejs
)
# Debian's npm, unless the Node.js installed brings its own (NodeSource's does, and its
# package conflicts with Debian's npm).
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The browser tests' driver, playwright-core, as its lock file has it (it brings no browser).
web_tests="$(dirname "$0")/../tests/web"
if [ ! -d "$web_tests/node_modules/playwright-core" ]; then
  (cd "$web_tests" && npm ci --no-audit --no-fund --silent)
fi
