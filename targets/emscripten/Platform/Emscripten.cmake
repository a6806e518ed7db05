# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Emscripten as a standalone module importing WASI alone (docs/targets.md).
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set(CMAKE_EXE_LINKER_FLAGS_INIT -sSTANDALONE_WASM)
