# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# The toolchain for the row of targets.txt that TYPESIZES_TARGET names: its
# system, compiler and flags, and its runner, when installed, as
# CMAKE_CROSSCOMPILING_EMULATOR (whether it works, configure finds out).
include(${CMAKE_CURRENT_LIST_DIR}/targets.cmake)
# try_compile projects read this file again and need the name too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TYPESIZES_TARGET)

typesizes_find_target(row preset "${TYPESIZES_TARGET}")
if(NOT row_found)
  typesizes_read_table(${TYPESIZES_TARGETS_FILE})
  list(TRANSFORM rows REPLACE " .*" "")
  list(JOIN rows ", " names)
  message(FATAL_ERROR "TYPESIZES_TARGET '${TYPESIZES_TARGET}' is not a row of ${TYPESIZES_TARGETS_FILE}; "
    "known targets: ${names}")
endif()

set(CMAKE_SYSTEM_NAME ${row_system})
string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR ${row_triplet})
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

set(CMAKE_FIND_ROOT_PATH /usr/${row_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

if(NOT CMAKE_IN_TRY_COMPILE)
  typesizes_runner(CMAKE_CROSSCOMPILING_EMULATOR reason)
endif()
