# SPDX-License-Identifier: MIT
# The browser build with Debian's Emscripten: its own CMake platform file, and the two
# settings its tools need on a machine whose Node.js is not Debian's own.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# Emscripten's JavaScript tools (the optimiser, the file packager) look for Debian's
# JavaScript modules here; Node.js 20 and later must not bring its own fetch to run the
# compiler's output outside a browser.
set(ENV{NODE_PATH} /usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CROSSCOMPILING_EMULATOR node --no-experimental-fetch)
