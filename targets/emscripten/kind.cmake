# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# Emscripten's WebAssembly, run under node and on a page (docs/targets.md).
set(system Emscripten)
set(needs wasi_snapshot_preview1)
set(compiler em++)
set(package emscripten)
set(runner node)
set(runner_package nodejs)
set(bare "")
list(APPEND folders wasm)
set(outputs typesizes.js typesizes.html)
set(page typesizes.html)
