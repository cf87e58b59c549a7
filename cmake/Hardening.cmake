# SPDX-License-Identifier: MIT
# The hardening Debian builds its own packages with, for the optimised builds of the
# Linux program (fortified functions need the optimiser): each flag where the compiler
# or the linker takes it, so an older toolchain still builds.
include(CheckCXXCompilerFlag)
include(CheckLinkerFlag)

set(optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
# A compiler that fortifies by itself (Ubuntu's) is told the same level, not warned twice.
add_compile_options($<${optimised}:-U_FORTIFY_SOURCE> $<${optimised}:-D_FORTIFY_SOURCE=2>)
foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "ZT_HAS${flag}" known)
  check_cxx_compiler_flag(${flag} ${known})
  if(${known})
    add_compile_options($<${optimised}:${flag}>)
  endif()
endforeach()
foreach(flag -Wl,-z,relro -Wl,-z,now)
  string(MAKE_C_IDENTIFIER "ZT_HAS${flag}" known)
  check_linker_flag(CXX ${flag} ${known})
  if(${known})
    add_link_options($<${optimised}:${flag}>)
  endif()
endforeach()
