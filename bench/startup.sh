#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# startup.sh TYPESIZES: prints what one run of TYPESIZES costs against /bin/true and getconf LONG_BIT, in
# instructions (callgrind) and wall time (hyperfine, ROUNDS rounds, default 600); docs/performance.md.
set -euo pipefail
export LC_ALL=C # a decimal point in the numbers read and printed
started=$EPOCHREALTIME rounds=${ROUNDS:-600}
small_env=(env -i PATH=/usr/bin:/bin) # every command runs in it: the loader's work grows with the environment

# Prints "startup.sh: " and its arguments on stderr and exits 1.
die() { echo "startup.sh: $*" >&2; exit 1; }
# Prints the ELF header fields that decide where file $1 runs: magic, class, byte order, machine.
elf() { od -An -tx1 -N20 "$1" | tr -s ' \n' ' ' | awk '{ print $1 $2 $3 $4, $5, $6, $19 $20 }'; }
# Prints the instructions one run of the command "$@" executes, loader included.
instructions() {
  "${small_env[@]}" valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
    sed -n 's/.*Collected : //p' | grep . || die "valgrind could not count the instructions of: $*"
}
# Prints one line per round: the seconds one run of each of commands[0..2] took, in their order.
wall_times() (
  for ((r = 0; r < rounds; r += 200)); do # batches keep hyperfine's argument list short
    args=()
    for ((i = r; i < rounds && i < r + 200; i++)); do args+=("${commands[@]:i % 2 * 3:3}"); done
    "${small_env[@]}" hyperfine --shell=none --style=none --runs 1 --output=null --export-csv "$tmp/round.csv" \
      "${args[@]}" >"$tmp/log" 2>&1 || { cat "$tmp/log" >&2; exit 1; }
    # Rows: command,mean,stddev,median,user,system,min,max, counted from the end as a path may hold commas.
    awk -F, 'NR > 1 { k = (NR - 2) % 3; t[int((NR - 2) / 3) % 2 ? 2 - k : k] = $(NF - 4) }
      NR > 1 && k == 2 { print t[0], t[1], t[2] }' "$tmp/round.csv"
  done
)
# Prints field $1 of the wall times in µs (or its ratio to field $2), as median and quartiles in printf format $3.
quartiles() {
  awk -v a="$1" -v b="$2" '{ print b ? $a / $b : $a * 1e6 }' "$tmp/times" | sort -g | awk -v f="$3" '{ v[NR] = $1 }
    END { printf f " (" f "-" f ")", v[int((NR + 1) / 2)], v[int((NR + 3) / 4)], v[int((3 * NR + 3) / 4)] }'
}

(($# == 1)) || { echo "usage: [ROUNDS=600] bash bench/startup.sh path/to/typesizes" >&2; exit 2; }
[[ $rounds =~ ^[1-9][0-9]*$ ]] || die "ROUNDS is a count of rounds, not '$rounds'"
[[ -f $1 && -x $1 ]] || die "$1: not an executable file"
[[ $(elf "$1") == "$(elf /bin/true)" ]] || die "$1: not for this $(uname -m); measure cross builds on their target"
"${small_env[@]}" "$1" >/dev/null 2>&1 || die "$1: fails to run here (exit $?)"
type -P valgrind hyperfine >/dev/null || die "it needs valgrind and hyperfine: apt-get install valgrind hyperfine"
binary=$(realpath "$1") getconf=$(command -v getconf) quoted=$(printf %q "$binary") tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
labels=(typesizes /bin/true "getconf LONG_BIT")
# a round's commands and a reversed round's, quoted, as hyperfine splits them into words
commands=("$quoted" /bin/true "$getconf LONG_BIT" "$getconf LONG_BIT" /bin/true "$quoted")

echo "Instructions per run (valgrind --tool=callgrind):"
counts=("$(instructions "$binary")" "$(instructions /bin/true)" "$(instructions "$getconf" LONG_BIT)")
printf '%s\n' "${labels[@]}" | awk -v counts="${counts[*]}" '{ split(counts, n, " ")
  printf "  %-18s %9d  %.4f x /bin/true  %.4f x getconf\n", $0, n[NR], n[NR] / n[2], n[NR] / n[3] }'
echo "Wall time per run in µs (hyperfine, $rounds rounds of one run each, order reversed every other round):"
wall_times >"$tmp/times"
printf '  %-18s %-20s %-20s %s\n' command "median (IQR)" "x /bin/true (IQR)" "x getconf (IQR)"
for i in 1 2 3; do
  printf '  %-18s %-20s %-20s %s\n' "${labels[i - 1]}" "$(quartiles "$i" 0 %.0f)" \
    "$(quartiles "$i" 2 %.3f)" "$(quartiles "$i" 3 %.3f)"
done
awk -v s="$started" -v e="$EPOCHREALTIME" 'BEGIN { printf "The benchmark took %.1f s.\n", e - s }'
