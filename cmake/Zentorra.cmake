# SPDX-License-Identifier: MIT
# zt_library(NAME [OBJECT] SOURCES... [DEPS targets...]): one library target per subsystem.
# The project root is the include root, so headers are included as "gfx/raster.h". A
# platform backend is an OBJECT library: it defines what the core's rooms declare, so it
# goes into a program whole rather than being searched like an archive.
function(zt_library name)
  cmake_parse_arguments(ARG "OBJECT" "" "SOURCES;DEPS" ${ARGN})
  if(ARG_OBJECT)
    add_library(${name} OBJECT ${ARG_SOURCES})
  else()
    add_library(${name} STATIC ${ARG_SOURCES})
  endif()
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# zt_test(NAME SOURCES... [DEPS targets...] [LABELS labels...]): a GoogleTest executable
# whose tests are registered with CTest one by one.
function(zt_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE ZT_PROGRAM_DIR="${ZT_PROGRAM_DIR}"
                                             ZT_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  include(GoogleTest)
  set(environment)
  if(ZT_SANITIZE)
    set(environment ENVIRONMENT LSAN_OPTIONS=suppressions=${ZT_LSAN_SUPPRESSIONS})
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${ARG_LABELS}" ${environment})
endfunction()

# zt_benchmark(NAME SOURCES... [DEPS targets...]): a Google Benchmark executable.
function(zt_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark)
  add_dependencies(benchmarks ${name})
endfunction()
