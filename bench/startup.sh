#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# startup.sh TYPESIZES  prints what one run of TYPESIZES costs against /bin/true
# (any dynamically linked program's floor) and getconf LONG_BIT: instructions
# (callgrind) and wall time (hyperfine, ROUNDS rounds, default 600, every other
# one reversed so that slow and fast spells fall on all commands alike; see
# docs/performance.md). It prints figures and never judges them.
set -euo pipefail
export LC_ALL=C # a decimal point in the numbers read and printed
started=$EPOCHREALTIME
rounds=${ROUNDS:-600}
small_env=(env -i PATH=/usr/bin:/bin) # every command runs in it: the loader's work grows with the environment

# Prints "startup.sh: " and its arguments on stderr and exits 1.
die() { echo "startup.sh: $*" >&2; exit 1; }
# Stops on a binary this machine cannot run, saying what is wrong with it.
unrunnable() { die "$1; the benchmark runs it on this machine, so cross builds are measured on their target"; }
# Prints the ELF header fields that decide where file $1 runs: magic, class, byte order, machine.
elf_kind() { od -An -tx1 -N20 "$1" | tr -s ' \n' ' ' | awk '{ print $1 $2 $3 $4, $5, $6, $19 $20 }'; }
# Prints the instructions one run of the command "$@" executes, loader included.
instructions() {
  "${small_env[@]}" valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
    sed -n 's/.*Collected : //p' | grep . || die "valgrind could not count the instructions of: $*"
}
# Prints one line per round: the seconds one run of each of commands[] took, in their order.
wall_times() {
  local r i batch args
  for ((r = 0; r < rounds; r += batch)); do # batches keep hyperfine's argument list short
    batch=$((rounds - r < 200 ? rounds - r : 200)) args=()
    for ((i = 0; i < batch; i++)); do
      if ((i % 2)); then args+=("${commands[2]}" "${commands[1]}" "${commands[0]}"); else args+=("${commands[@]}"); fi
    done
    "${small_env[@]}" hyperfine --shell=none --style=none --runs 1 --output=null --export-csv "$tmp/round.csv" \
      "${args[@]}" >"$tmp/log" 2>&1 || { cat "$tmp/log" >&2; exit 1; }
    # Rows: command,mean,stddev,median,user,system,min,max, counted from the end as a path may hold commas.
    awk -F, 'NR > 1 { k = (NR - 2) % 3; t[int((NR - 2) / 3) % 2 ? 2 - k : k] = $(NF - 4) }
      NR > 1 && k == 2 { print t[0], t[1], t[2] }' "$tmp/round.csv"
  done
}
# Prints the median of the numbers on stdin and, in brackets, their lower and upper quartiles, in printf format $1.
quartiles() {
  sort -g | awk -v f="$1" '{ v[NR] = $1 }
    END { printf f " (" f "-" f ")", v[int((NR + 1) / 2)], v[int((NR + 3) / 4)], v[int((3 * NR + 3) / 4)] }'
}
# Prints field $1 of the wall times in µs, or its ratio to field $2 when given.
field() { awk -v a="$1" -v b="${2:-0}" '{ print b ? $a / $b : $a * 1e6 }' "$tmp/times"; }

(($# == 1)) || { echo "usage: [ROUNDS=600] bash bench/startup.sh path/to/typesizes" >&2; exit 2; }
[[ $rounds =~ ^[1-9][0-9]*$ ]] || die "ROUNDS is a count of rounds, not '$rounds'"
[[ -e $1 ]] || unrunnable "$1: no such file"
[[ -f $1 && -x $1 ]] || unrunnable "$1: not an executable file"
[[ $(elf_kind "$1") == "$(elf_kind /bin/true)" ]] || unrunnable "$1: not a program built for this $(uname -m) machine"
"${small_env[@]}" "$1" >/dev/null 2>&1 || unrunnable "$1: fails to run here (exit $?)"
missing=$(for tool in valgrind hyperfine; do command -v "$tool" >/dev/null || echo "$tool"; done | xargs)
[[ -z $missing ]] || die "$missing not found; install the Debian package(s): apt-get install $missing"
binary=$(realpath "$1") getconf=$(command -v getconf) tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
labels=(typesizes /bin/true "getconf LONG_BIT")
commands=("$(printf %q "$binary")" /bin/true "$getconf LONG_BIT") # quoted, as hyperfine splits them into words

echo "Instructions per run (valgrind --tool=callgrind):"
own=$(instructions "$binary"); floor=$(instructions /bin/true); query=$(instructions "$getconf" LONG_BIT)
counts=("$own" "$floor" "$query")
for i in 0 1 2; do
  awk -v l="${labels[$i]}" -v n="${counts[$i]}" -v t="$floor" -v g="$query" \
    'BEGIN { printf "  %-18s %9d  %.4f x /bin/true  %.4f x getconf\n", l, n, n / t, n / g }'
done

echo "Wall time per run in µs (hyperfine, $rounds rounds of one run each, order reversed every other round):"
wall_times >"$tmp/times"
printf '  %-18s %-20s %-20s %s\n' command "median (IQR)" "x /bin/true (IQR)" "x getconf (IQR)"
for i in 1 2 3; do
  printf '  %-18s %-20s %-20s %s\n' "${labels[$((i - 1))]}" "$(field "$i" | quartiles %.0f)" \
    "$(field "$i" 2 | quartiles %.3f)" "$(field "$i" 3 | quartiles %.3f)"
done
awk -v s="$started" -v e="$EPOCHREALTIME" 'BEGIN { printf "The benchmark took %.1f s.\n", e - s }'
