# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Static programs on musl: Debian's cross g++ for the glibc twin of the
# triplet, with musl's specs file and the project's C++ headers (Debian has
# no libstdc++ for musl), in a tar.gz (docs/targets.md).
set(libc musl)
if(NOT time_t EQUAL 8) # since musl 1.2.0, on every architecture
  message(FATAL_ERROR "Row '${preset}': musl's time_t has 8 bytes, not ${time_t}")
endif()
set(needs -)
string(REGEX REPLACE "^i386-" "i686-" twin ${triplet})
string(REGEX REPLACE "-musl" "-gnu" twin ${twin})
string(REGEX REPLACE "^(mips64.*-gnu)$" "\\1abi64" twin ${twin})
set(compiler ${twin}-g++)
string(REPLACE _ - package g++-${twin})
if(deb STREQUAL "amd64") # this machine's own g++
  set(package g++)
endif()
list(APPEND package musl-dev:${deb})
set(flags -specs /usr/lib/${triplet}/musl-gcc.specs -static)
list(APPEND folders cxx)
set(formats TGZ)
