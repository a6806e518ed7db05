# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Emscripten, which CMake 3.25 does not know: a program is a standalone module,
# importing WASI alone. (Emscripten's own CMake file would run the size probes,
# install into its system folder, and double the time configure takes.)
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set(CMAKE_EXE_LINKER_FLAGS_INIT -sSTANDALONE_WASM)
