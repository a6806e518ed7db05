#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# run.sh NODE MODULE [ARG...]: a WASI module under node 18+ (docs/targets.md).
set -euo pipefail
[ -e /dev/fd/1 ] || exec 1</dev/null
exec "$1" --no-warnings --input-type=module -e '
import { readFileSync } from "node:fs";
import { WASI } from "node:wasi";
const wasi = new WASI({ version: "preview1", args: process.argv.slice(1), env: process.env, returnOnExit: true });
const module = await WebAssembly.compile(readFileSync(process.argv[1]));
process.exitCode = wasi.start(await WebAssembly.instantiate(module, { wasi_snapshot_preview1: wasi.wasiImport }));
' -- "${@:2}"
