# SPDX-License-Identifier: MIT
# The Windows build (cross-compiled with cmake/mingw-w64-x86_64.cmake): the desktop's own
# windows, fonts, picture decoder and multimedia calls instead of SDL; GoogleTest built
# from Debian's sources; the pictures and sounds drawn by the native build's tools.
set(ZT_GTEST_SOURCE /usr/src/googletest/googletest
    CACHE PATH "GoogleTest's sources, built here for the target")
set(ZT_ASSET_DIR "" CACHE PATH "The program folder of a native build, whose resources/ and Sound/ are copied")

add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)
# GCC 12 warns wrongly about overlapping copies inside std::string's operator+ when it
# inlines them at -O3 (its bug 105329).
add_compile_options(-Wno-restrict)
# libstdc++, libgcc and winpthread linked in: the program needs no DLL beyond the system's.
add_link_options(-static)

add_subdirectory(${ZT_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -Wno-error)
target_compile_options(gtest_main PRIVATE -Wno-error)

# The program file's resources, compiled by the MinGW-w64 resource compiler: the icon the
# picture tools drew (copied from the native build by tools/), the version block from the
# project's version, and the manifest.
enable_language(RC)
# The resource compiler takes the definitions, not the C++ compilers' warning options.
set(CMAKE_RC_COMPILE_OBJECT "<CMAKE_RC_COMPILER> <DEFINES> <INCLUDES> -O coff <SOURCE> <OBJECT>")
set(ZT_WINDOWS_MANIFEST ${PROJECT_SOURCE_DIR}/packaging/windows/zentorra.manifest)
set(ZT_WINDOWS_ICON ${CMAKE_BINARY_DIR}/icons/zentorra.ico)
set(ZT_WINDOWS_RESOURCES ${CMAKE_BINARY_DIR}/zentorra.rc)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/zentorra.rc.in ${ZT_WINDOWS_RESOURCES}
               @ONLY)
set_source_files_properties(${ZT_WINDOWS_RESOURCES} PROPERTIES
                            OBJECT_DEPENDS "${ZT_WINDOWS_ICON};${ZT_WINDOWS_MANIFEST}")
# The released program carries no debugging information (a Release build, linked with -s).
add_link_options($<$<CONFIG:Release,MinSizeRel>:-s>)
