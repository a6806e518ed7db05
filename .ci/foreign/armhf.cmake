# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# CI's stand-in for a builder's own toolchain for armhf: Debian's cross g++,
# with musl's specs file unless TYPESIZES_FOREIGN_LIBC=glibc in the environment.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_CXX_COMPILER arm-linux-gnueabihf-g++)
if(NOT "$ENV{TYPESIZES_FOREIGN_LIBC}" STREQUAL "glibc")
  set(CMAKE_CXX_FLAGS_INIT "-specs /usr/lib/arm-linux-musleabihf/musl-gcc.specs -static")
endif()
