# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Windows programs from mingw-w64's posix g++, run under wine.
set(system Windows)
set(needs msvcrt.dll)
set(compiler ${triplet}-g++-posix)
string(REGEX REPLACE "-.*" "" cpu ${triplet})
string(REPLACE _ - package g++-mingw-w64-${cpu}-posix)
set(runner wine)
set(bare wine)
set(runner_package wine)
set(eol CRLF) # text-mode standard output
