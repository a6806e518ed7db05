#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# run.sh QEMU PROGRAM [ARGS...]  runs a bare-metal ELF with semihosting in QEMU
# (qemu-system-arm, -riscv32 or -riscv64, whose architecture picks the board):
# the program's standard output and exit status are QEMU's. The ARGS reach the
# program as semihosting's one command line (joined by blanks, which the C
# library splits at again: an empty word is lost, and a word with blanks comes
# as several); newlib's start-up (arm) reads the program's name first, and
# picolibc's (riscv) the arguments alone. QEMU ignores SIGPIPE: a reader gone
# fails the program's write like any other error.
set -u
case ${1##*/} in
qemu-system-arm) board=(-M mps2-an385) words=("${2##*/}" "${@:3}") ;;
*) board=(-M virt -bios none) words=("${@:3}") ;;
esac
# QEMU's option syntax doubles a comma in a value; an empty command line is
# one empty arg (none would make QEMU pass the file's name).
config=enable=on,target=native
for word in "${words[@]:-}"; do config+=,arg=${word//,/,,}; done
exec "$1" "${board[@]}" -display none -monitor none -serial none -semihosting-config "$config" -kernel "$2"
