# SPDX-License-Identifier: MIT
# The browser build (cmake/emscripten.cmake): the page is the desktop, drawn on a canvas,
# with the browser's own audio and storage; fonts and pictures read with stb. The pictures
# and sounds come from a native build's tools, as for Windows. The rules' tests run in the
# native builds.
set(ZT_ASSET_DIR "" CACHE PATH "The program folder of a native build, whose resources/ and Sound/ are copied")
set(BUILD_TESTING OFF CACHE BOOL "" FORCE)
# One thread: the platform's locks are there for other backends' audio threads.
add_library(Threads::Threads INTERFACE IMPORTED)
# The fonts are cut down with Debian's fontTools (python3-fonttools), run by Debian's Python.
find_program(ZT_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(ZT_PYFTSUBSET ${ZT_SYSTEM_PYTHON} -m fontTools.subset)
