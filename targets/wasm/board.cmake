# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# A WebAssembly module, typesizes.wasm. clang links it through binaryen's
# wasm-opt whenever that is installed and the link is optimised, so the
# module would depend on what else the machine has: the code is optimised
# when compiled, and the link is not.
set_target_properties(typesizes PROPERTIES SUFFIX .wasm)
if(CMAKE_SYSTEM_NAME STREQUAL "WASI")
  target_link_options(typesizes-options INTERFACE -O0)
endif()
