#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# run.sh QEMU PROGRAM [ARGS...]: a bare-metal ELF semihosted (docs/targets.md).
set -euo pipefail
board=(-M virt -bios none) words=("${@:3}")
[ "${1##*/}" != qemu-system-arm ] || board=(-M mps2-an385) words=("${2##*/}" "${@:3}")
# A comma is doubled; no arguments is one empty arg, not the file's name.
config=enable=on,target=native
for word in "${words[@]:-}"; do config+=,arg=${word//,/,,}; done
exec "$1" "${board[@]}" -display none -monitor none -serial none -semihosting-config "$config" -kernel "$2"
