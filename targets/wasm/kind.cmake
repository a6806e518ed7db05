# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# WASI modules from clang with wasi-libc and libc++, run under node.
set(system WASI)
set(needs wasi_snapshot_preview1)
set(compiler clang++-14)
set(package clang-14 lld-14 wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32
  libclang-rt-14-dev-wasm32)
set(runner node)
set(runner_package nodejs)
set(bare "")
set(flags --target=wasm32-wasi)
