#!/usr/bin/env bash
# startup.sh [TYPESIZES]  prints what one run of typesizes costs, against
# /bin/true (the floor for any dynamically linked program) and getconf LONG_BIT
# (the system's own data-model query). A benchmark: it prints figures and never
# judges them.
#   instructions per run: valgrind's callgrind, repeatable on a busy machine;
#   wall time per run:    hyperfine over many runs, noisy, so compare ratios.
set -euo pipefail
binary=$(realpath "${1:-build/default/typesizes}")
runs=${RUNS:-2000}
for tool in valgrind hyperfine; do
  command -v "$tool" >/dev/null || { echo "startup.sh: $tool not found; install the Debian package $tool" >&2; exit 1; }
done

labels=(typesizes /bin/true "getconf LONG_BIT")
commands=("$binary" /bin/true "$(command -v getconf) LONG_BIT")

# The same small environment for every command, since the loader's work grows with it.
instructions() {
  # shellcheck disable=SC2086 # each command is split into its words on purpose
  env -i PATH=/usr/bin:/bin valgrind --tool=callgrind --callgrind-out-file=/dev/null $1 2>&1 >/dev/null |
    sed -n 's/.*Collected : //p'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.4f", a / b }'; }

echo "Instructions per run (valgrind --tool=callgrind):"
counts=()
for i in "${!commands[@]}"; do counts+=("$(instructions "${commands[$i]}")"); done
for i in "${!commands[@]}"; do
  printf '  %-18s %9d  %s x /bin/true  %s x getconf\n' "${labels[$i]}" "${counts[$i]}" \
    "$(ratio "${counts[$i]}" "${counts[1]}")" "$(ratio "${counts[$i]}" "${counts[2]}")"
done

echo "Wall time per run (hyperfine, $runs runs each, no shell):"
csv=$(mktemp)
trap 'rm -f "$csv" "$csv.log"' EXIT
# Its outlier warnings are noise here; the spread printed below tells as much.
hyperfine --shell=none --style=none --warmup 100 --runs "$runs" --output=null --export-csv "$csv" \
  "${commands[@]}" >"$csv.log" 2>&1 || { cat "$csv.log" >&2; exit 1; }
# Columns: command,mean,stddev,median,user,system,min,max (seconds).
mapfile -t means < <(tail -n +2 "$csv" | cut -d, -f2)
mapfile -t spreads < <(tail -n +2 "$csv" | cut -d, -f3)
for i in "${!commands[@]}"; do
  printf '  %-18s %7.1f µs ± %5.1f  %s x /bin/true  %s x getconf\n' "${labels[$i]}" \
    "$(awk -v s="${means[$i]}" 'BEGIN { print s * 1e6 }')" "$(awk -v s="${spreads[$i]}" 'BEGIN { print s * 1e6 }')" \
    "$(ratio "${means[$i]}" "${means[1]}")" "$(ratio "${means[$i]}" "${means[2]}")"
done
