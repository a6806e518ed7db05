#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# run.sh NODE MODULE [ARG...]  runs a WebAssembly module built for WASI
# preview1 under node (NODE), with the ARGs as its arguments, and exits with
# its exit status. node reopens a closed standard output on /dev/null, where
# writes succeed; /dev/null opened read-only fails them, as the closed one
# would. node 18 (Debian 12's) and 20 both warn that WASI is experimental, and
# 18 has neither --disable-warning nor getImportObject.
set -u
[ -e /dev/fd/1 ] || exec 1</dev/null
exec "$1" --no-warnings --input-type=module -e '
import { readFileSync } from "node:fs";
import { WASI } from "node:wasi";
const args = process.argv.slice(1);
const wasi = new WASI({ version: "preview1", args, env: {}, returnOnExit: true });
const module = await WebAssembly.compile(readFileSync(args[0]));
process.exitCode = wasi.start(await WebAssembly.instantiate(module, { wasi_snapshot_preview1: wasi.wasiImport }));
' -- "${@:2}"
