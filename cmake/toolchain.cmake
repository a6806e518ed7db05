# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# Cross toolchain for the target that TYPESIZES_TARGET names, a row of
# targets.txt: Debian's <triplet>-g++ with the target's libraries in
# /usr/<triplet>. How its programs run here (the row's emulator) is the
# build's business, as for any other cross build.
include(${CMAKE_CURRENT_LIST_DIR}/targets.cmake)
# try_compile projects read this file again and need the name too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TYPESIZES_TARGET)

typesizes_find_target(row preset "${TYPESIZES_TARGET}")
if(NOT row_found)
  typesizes_target_names(names)
  list(JOIN names ", " names)
  message(FATAL_ERROR "TYPESIZES_TARGET '${TYPESIZES_TARGET}' is not a row of ${TYPESIZES_TARGETS_FILE}; "
    "known targets: ${names}")
endif()

set(CMAKE_SYSTEM_NAME ${row_system})
string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR ${row_triplet})

find_program(cross_cxx ${row_triplet}-g++ NO_CACHE)
if(NOT cross_cxx)
  message(FATAL_ERROR "${row_triplet}-g++ not found: install the Debian package ${row_package}")
endif()
set(CMAKE_CXX_COMPILER ${cross_cxx})

set(CMAKE_FIND_ROOT_PATH /usr/${row_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
