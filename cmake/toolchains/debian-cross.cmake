# A Debian cross toolchain for ${triple}, whose programs run here under qemu
# user-mode emulation with the target's libraries from /usr/${triple}.
# Included by the per-target files, which set triple, processor, qemu and abi.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${processor})
if(NOT DEFINED TYPESIZES_ABI)
  set(TYPESIZES_ABI ${abi})
endif()

find_program(cross_cxx ${triple}-g++ NO_CACHE)
if(NOT cross_cxx)
  message(FATAL_ERROR "${triple}-g++ not found: install the Debian package g++-${triple}")
endif()
find_program(cross_emulator ${qemu} NO_CACHE)
if(NOT cross_emulator)
  message(FATAL_ERROR "${qemu} not found: install the Debian package qemu-user")
endif()

set(CMAKE_CXX_COMPILER ${cross_cxx})
set(CMAKE_CROSSCOMPILING_EMULATOR ${cross_emulator} -L /usr/${triple})
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
