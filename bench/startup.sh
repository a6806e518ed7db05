#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# startup.sh TYPESIZES: one run's cost against /bin/true's (docs/performance.md).
set -euo pipefail
export LC_ALL=C # a decimal point in the numbers read and printed
small_env=(env -i PATH=/usr/bin:/bin) # the loader's work grows with the environment

# die MESSAGE...: says why it stops, and exits 1.
die() { echo "startup.sh: $*" >&2; exit 1; }
# elf FILE: the ELF header fields that decide where FILE runs.
elf() { od -An -tx1 -N20 "$1" | tr -s ' \n' ' ' | cut -d' ' -f2-7,20,21; }
# instructions COMMAND...: what one run executes, loader included.
instructions() {
  "${small_env[@]}" valgrind --tool=callgrind --callgrind-out-file=/dev/null \
    "$@" 2>&1 >/dev/null | sed -n 's/.*Collected : //p' | grep . ||
    die "valgrind could not count the instructions of: $*"
}

(($# == 1)) || { echo "usage: [RUNS=300] bash $0 TYPESIZES" >&2; exit 2; }
[[ ${RUNS:=300} =~ ^[1-9][0-9]*$ ]] || die "RUNS is a count of runs, not '$RUNS'"
[[ -f $1 && -x $1 ]] || die "$1: not an executable file"
[[ $(elf "$1") == "$(elf /bin/true)" ]] ||
  die "$1: not for this $(uname -m); measure cross builds on their target"
"${small_env[@]}" "$1" >/dev/null 2>&1 || die "$1: fails to run here (exit $?)"
type -P valgrind hyperfine jq >/dev/null || die "needs valgrind, hyperfine, jq"
binary=$(realpath "$1") getconf=$(command -v getconf)
counts=$(instructions "$binary" && instructions /bin/true &&
  instructions "$getconf" LONG_BIT)
set -- -n typesizes "$(printf %q "$binary")" -n /bin/true /bin/true \
  -n "getconf LONG_BIT" "$getconf LONG_BIT"
# Ten rounds, each in the reverse order of the last: a change of load falls on all.
for ((round = 0; round < 10; round++)); do
  ((round == 0)) || set -- "${@:7:3}" "${@:4:3}" "${@:1:3}"
  "${small_env[@]}" hyperfine -N --style none --output null --warmup 2 \
    --runs $(((RUNS + 9) / 10)) --export-json /dev/stdout "$@"
done |
  # each command's times from every round: median, quartiles, ratios
  jq -rs 'def q(p): sort | .[(length - 1) * p | floor] * 1e6;
    [.[].results[]] as $r | ["typesizes", "/bin/true", "getconf LONG_BIT"] |
    map(. as $c | [$r[] | select(.command == $c) | .times[]]) as $t |
    ($t | map(q(.5))) as $m | range(3) as $i |
    [.[$i], ($t[$i] | q(.5), q(.25), q(.75)), $m[$i] / ($m[1], $m[2])] | @tsv' |
  awk -F'\t' -v counts="$counts" 'BEGIN { split(counts, n, "\n"); print \
    "  command          instructions  x true x getconf  wall µs (IQR)      x true x getconf" }
  { printf "  %-16s %12d %7.4f %9.4f  %-18s %7.3f %9.3f\n", $1, n[NR], n[NR] / n[2],
      n[NR] / n[3], sprintf("%.0f (%.0f-%.0f)", $2, $3, $4), $5, $6 }'
