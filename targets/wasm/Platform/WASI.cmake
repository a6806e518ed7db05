# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# WASI, which CMake 3.25 does not know; the link is not optimised (docs/targets.md).
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set(CMAKE_EXE_LINKER_FLAGS_INIT -O0)
# A sysroot of links to wasi-libc's folders alone, not the host's /usr.
foreach(dir include lib)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/wasi-sysroot/${dir})
  file(CREATE_LINK /usr/${dir}/wasm32-wasi ${CMAKE_BINARY_DIR}/wasi-sysroot/${dir}/wasm32-wasi SYMBOLIC)
endforeach()
set(CMAKE_SYSROOT ${CMAKE_BINARY_DIR}/wasi-sysroot)
