# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# WASI, which CMake 3.25 does not know: programs are WebAssembly modules. clang
# links them through binaryen's wasm-opt whenever that is installed and the
# link is optimised, so a module would depend on what else the machine has:
# the code is optimised when compiled, and the link is not (-O0 after -O3).
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set(CMAKE_EXE_LINKER_FLAGS_INIT -O0)
