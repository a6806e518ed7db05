#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# startup.sh TYPESIZES...: what one run of each costs, against /bin/true's and getconf's (docs/performance.md).
set -euo pipefail
small_env=(env -i PATH=/usr/bin:/bin) # the loader's work grows with the environment

# die MESSAGE...: says why it stops, and exits 1.
die() { echo "startup.sh: $*" >&2; exit 1; }

# elf FILE: the ELF header fields that decide where FILE runs.
elf() { od -An -tx1 -N20 "$1" | tr -s ' \n' ' ' | cut -d' ' -f2-7,20,21; }

# instructions COMMAND...: a line of what one run executes, loader included (callgrind), and COMMAND.
instructions() {
  "${small_env[@]}" valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
    awk -v c="$*" '/Collected : / { printf "%12s  %s\n", $NF, c; n++ } END { exit !n }' ||
    die "valgrind could not count the instructions of: $*"
}

(($#)) || die "usage: [RUNS=300] bash $0 TYPESIZES..."
[[ ${RUNS:=300} =~ ^[1-9][0-9]*$ ]] || die "RUNS is a count of runs, not '$RUNS'"
type -P valgrind hyperfine >/dev/null || die "needs valgrind and hyperfine"
for binary; do
  [[ -f $binary && $(elf "$binary") == "$(elf /bin/true)" ]] || die "$binary: not a program for this machine"
  "${small_env[@]}" "$binary" >/dev/null || die "$binary: fails to run here"
done
mapfile -t commands < <(realpath "$@" && printf '%s\n' /bin/true "getconf LONG_BIT")
echo "instructions per run (valgrind's callgrind, user space, loader included):"
for command in "${commands[@]}"; do
  # shellcheck disable=SC2086 # the command's words
  instructions $command
done
"${small_env[@]}" hyperfine -N --style basic --warmup 2 --runs "$RUNS" "${commands[@]}"
