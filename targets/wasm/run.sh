#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# run.sh NODE MODULE [ARG...]  runs a WASI preview1 module under node with the
# ARGs and node's environment, and exits with its status. node would reopen a
# closed standard output on /dev/null, where writes succeed: /dev/null
# read-only fails them instead.
# Written for node 18 (Debian 12's) too: no --disable-warning, getImportObject.
set -u
[ -e /dev/fd/1 ] || exec 1</dev/null
exec "$1" --no-warnings --input-type=module -e '
import { readFileSync } from "node:fs";
import { WASI } from "node:wasi";
const args = process.argv.slice(1);
const wasi = new WASI({ version: "preview1", args, env: process.env, returnOnExit: true });
const module = await WebAssembly.compile(readFileSync(args[0]));
process.exitCode = wasi.start(await WebAssembly.instantiate(module, { wasi_snapshot_preview1: wasi.wasiImport }));
' -- "${@:2}"
