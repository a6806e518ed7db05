#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# run.sh QEMU PROGRAM [ARGS...]  runs a bare-metal ELF with semihosting in QEMU
# (qemu-system-arm, -riscv32 or -riscv64, whose architecture picks the board):
# the program's standard output and exit status are QEMU's. ARGS are dropped,
# so none can reach QEMU as an option. QEMU ignores SIGPIPE: a reader gone
# fails the program's write like any other error.
set -u
case ${1##*/} in
qemu-system-arm) board=(-M mps2-an385) ;;
*) board=(-M virt -bios none) ;;
esac
exec "$1" "${board[@]}" -display none -monitor none -serial none \
  -semihosting-config enable=on,target=native -kernel "$2"
