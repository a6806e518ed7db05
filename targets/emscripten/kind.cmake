# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Emscripten's WebAssembly, run under node and on a page (docs/targets.md).
set(compiler em++)
set(package emscripten)
set(runner_package nodejs)
set(libc wasi_snapshot_preview1)
list(APPEND folders wasm)
