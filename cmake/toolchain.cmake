# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# Cross toolchain for the target that TYPESIZES_TARGET names, a row of
# targets.txt: Debian's <triplet>-g++, with its programs run here under the
# row's qemu-user emulator and the target's libraries from /usr/<triplet>.
include(${CMAKE_CURRENT_LIST_DIR}/targets.cmake)
# try_compile projects read this file again and need the name too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TYPESIZES_TARGET)

typesizes_find_target(preset "${TYPESIZES_TARGET}")
if(NOT target_found)
  typesizes_target_names(names)
  list(JOIN names ", " names)
  message(FATAL_ERROR "TYPESIZES_TARGET '${TYPESIZES_TARGET}' is not a row of ${TYPESIZES_TARGETS_FILE}; "
    "known targets: ${names}")
endif()

set(CMAKE_SYSTEM_NAME Linux)
string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR ${target_triplet})

find_program(cross_cxx ${target_triplet}-g++ NO_CACHE)
if(NOT cross_cxx)
  message(FATAL_ERROR "${target_triplet}-g++ not found: install the Debian package g++-${target_triplet}")
endif()
set(CMAKE_CXX_COMPILER ${cross_cxx})
if(NOT target_emulator STREQUAL "-")
  find_program(cross_emulator ${target_emulator} NO_CACHE)
  if(NOT cross_emulator)
    message(FATAL_ERROR "${target_emulator} not found: install the Debian package qemu-user")
  endif()
  set(CMAKE_CROSSCOMPILING_EMULATOR ${cross_emulator} -L /usr/${target_triplet})
endif()

set(CMAKE_FIND_ROOT_PATH /usr/${target_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
