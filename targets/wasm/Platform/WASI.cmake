# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# WASI, which CMake 3.25 does not know: programs are WebAssembly modules,
# linked whole.
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
