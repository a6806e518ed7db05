# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# The toolchain for the row TYPESIZES_TARGET names (docs/targets.md).
include(${CMAKE_CURRENT_LIST_DIR}/targets.cmake)
# try_compile projects read this file again, with the row passed on.
if(NOT row_found)
  typesizes_find_target(row preset "${TYPESIZES_TARGET}" REQUIRED)
  get_directory_property(row_variables VARIABLES)
  list(FILTER row_variables INCLUDE REGEX "^row_")
  list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ${row_variables})
endif()
set(CMAKE_SYSTEM_NAME ${row_system})
# The triplet's processor, but for a 32-bit RISC-V built by a riscv64 toolchain.
string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR ${row_triplet})
string(REGEX REPLACE "^riscv(32|64)$" "riscv${row_class}"
  CMAKE_SYSTEM_PROCESSOR ${CMAKE_SYSTEM_PROCESSOR})
find_program(cross_cxx ${row_compiler} NO_CACHE)
if(NOT cross_cxx)
  list(JOIN row_package " " packages)
  message(FATAL_ERROR "${row_compiler} not found: install the Debian packages ${packages}")
endif()
set(CMAKE_CXX_COMPILER ${cross_cxx})
list(APPEND CMAKE_MODULE_PATH ${row_folders})
list(JOIN row_flags " " CMAKE_CXX_FLAGS_INIT)
# An empty sysroot keeps the host's folders out of Debian's cross g++ for
# glibc (docs/targets.md).
if(row_libc STREQUAL "glibc" AND row_compiler MATCHES "^${row_triplet}-")
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/typesizes-sysroot)
  set(CMAKE_SYSROOT ${CMAKE_BINARY_DIR}/typesizes-sysroot)
endif()
