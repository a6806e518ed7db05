#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# run.sh QEMU PROGRAM [ARGS...]  runs a bare-metal ELF in qemu-system (QEMU,
# qemu-system-arm or -riscv32/-riscv64) with semihosting: the program's
# standard output is QEMU's own, which has no display, monitor or serial port
# on it, and its exit status is QEMU's. The board follows QEMU's
# architecture. ARGS are dropped: the program takes none, and none of them can
# reach QEMU as an option. QEMU ignores SIGPIPE, so a reader gone fails the
# program's write like any other error.
set -u
case ${1##*/} in
qemu-system-arm) board=(-M mps2-an385) ;;
*) board=(-M virt -bios none) ;;
esac
exec "$1" "${board[@]}" -display none -monitor none -serial none \
  -semihosting-config enable=on,target=native -kernel "$2"
