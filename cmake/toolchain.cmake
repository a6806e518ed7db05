# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# The toolchain for the row of targets.txt that TYPESIZES_TARGET names: its
# system, processor, compiler and flags. How its programs run here, configure
# finds out.
include(${CMAKE_CURRENT_LIST_DIR}/targets.cmake)
# try_compile projects read this file again and need the name too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TYPESIZES_TARGET)

typesizes_find_target(row REQUIRED preset "${TYPESIZES_TARGET}")
set(CMAKE_SYSTEM_NAME ${row_system})
# The triplet's processor, but for a 32-bit RISC-V built by a riscv64 toolchain.
string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR ${row_triplet})
string(REGEX REPLACE "^riscv(32|64)$" "riscv${row_class}" CMAKE_SYSTEM_PROCESSOR ${CMAKE_SYSTEM_PROCESSOR})
find_program(cross_cxx ${row_compiler} NO_CACHE)
if(NOT cross_cxx)
  message(FATAL_ERROR "${row_compiler} not found: install the Debian package ${row_package}")
endif()
set(CMAKE_CXX_COMPILER ${cross_cxx})
# A system CMake does not know has its Platform file in its board folder.
list(APPEND CMAKE_MODULE_PATH ${row_boards})
if(NOT row_flags STREQUAL "-")
  list(JOIN row_flags " " CMAKE_CXX_FLAGS_INIT)
endif()

# Debian's cross compilers find the target's headers and libraries in folders
# of their own, then search the host's /usr/include and /usr/lib: an empty
# sysroot keeps the host's out.
if(row_system STREQUAL "Linux" AND row_compiler MATCHES "^${row_triplet}-")
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/typesizes-sysroot)
  set(CMAKE_SYSROOT ${CMAKE_BINARY_DIR}/typesizes-sysroot)
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${row_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
