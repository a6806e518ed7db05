# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# WASI, which CMake 3.25 does not know: programs are WebAssembly modules. clang
# links them through binaryen's wasm-opt whenever that is installed and the
# link is optimised, so a module would depend on what else the machine has:
# the code is optimised when compiled, and the link is not (-O0 after -O3).
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set(CMAKE_EXE_LINKER_FLAGS_INIT -O0)
# wasi-libc's and its libc++'s headers and libraries alone, in a sysroot of
# links: Debian's own (/usr) would put the host's headers on the search path.
foreach(dir include lib)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/wasi-sysroot/${dir})
  file(CREATE_LINK /usr/${dir}/wasm32-wasi ${CMAKE_BINARY_DIR}/wasi-sysroot/${dir}/wasm32-wasi SYMBOLIC)
endforeach()
set(CMAKE_SYSROOT ${CMAKE_BINARY_DIR}/wasi-sysroot)
