# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# Emscripten, which CMake 3.25 does not know: a program is a standalone
# WebAssembly module, which imports WASI alone, rather than the .js that loads
# one. (Emscripten's own CMake file would also swap CMake's compile-only size
# checks for ones that run programs, install into emscripten's system folder,
# and double the time configure takes.)
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set(CMAKE_EXE_LINKER_FLAGS_INIT -sSTANDALONE_WASM)
