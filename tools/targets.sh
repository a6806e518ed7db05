#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# targets.sh: runs the workflow (configure, build, whole suite) of every target
# preset of cmake/targets.txt whose compiler and runner packages are installed,
# TYPESIZES_JOBS of them at a time (default 2), each logged in
# build/targets/<preset>.log, then prints one Markdown table: what each
# target's program printed when run, and whether its suite passed. A target
# whose programs cannot run here is marked "built, not run here" with the
# reason, and shows the sizes its toolchain gave at configure time instead.
# Targets whose tools are missing are listed below the table with the packages
# to install. Progress (one line per finished target) goes to standard error,
# the table alone to standard output; exit status 0 only when every target
# that ran passed.
set -uo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.." || exit
# shellcheck source=../cmake/targets.sh
. cmake/targets.sh
logs=build/targets

# missing_packages PRESET: the Debian packages of the preset's compiler and
# runner that are not installed here.
missing_packages() {
  local package
  for package in $(targets preset package runner_package | sed -n "s/^$1 //p" | tr , " "); do
    [ "$package" = - ] || dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q ' installed$' || echo "$package"
  done | xargs
}

# cached BUILD NAME: a value of BUILD's CMake cache.
cached() { sed -n "s/^$2:[A-Z]*=//p" "$1/CMakeCache.txt" 2>/dev/null; }

# run_one PRESET: runs the preset's workflow, logged, writes its table row to
# $logs/PRESET.row and says on standard error how it went.
run_one() {
  local preset=$1 build=build/$1 start=$SECONDS suite=passed status runner report sizes note='' deb triplet
  read -r deb triplet < <(targets preset deb triplet | sed -n "s/^$preset //p")
  cmake --workflow --preset "$preset" >"$logs/$preset.log" 2>&1 || suite=FAILED
  # The build's own way to run its program here (typesizes-run, beside the
  # program: in Release/ for a multi-config generator), which exits 77 saying
  # why when it cannot. Whatever it writes for itself (wine's server folder)
  # stays in the log folder; Windows' CR line ends are not part of the sizes.
  status=0 runner=$build/typesizes-run
  [ -e "$runner" ] || runner=$build/Release/typesizes-run
  report=$(TMPDIR=$PWD/$logs/tmp "$runner" 2>"$logs/$preset.run") || status=$?
  report=${report//$'\r'/}
  if [ "$status" -eq 77 ]; then
    note="$(sed 's/^typesizes-run: //' "$logs/$preset.run") (sizes: the toolchain's, found at configure time)"
    sizes="$(cached "$build" TYPESIZES_SIZEOF_TIME_T) $(cached "$build" TYPESIZES_SIZEOF_INT) $(cached "$build" TYPESIZES_SIZEOF_SHORT)"
  else
    [ "$status" -eq 0 ] || suite=FAILED
    sizes="$(sed -n 's/^time_t=//p' <<<"$report") $(sed -n 's/^int=//p' <<<"$report") $(sed -n 's/^short=//p' <<<"$report")"
  fi
  if [ -n "$note" ] && [ "$suite" = passed ]; then
    suite=$note
  elif [ -n "$note" ]; then
    suite="FAILED; $note"
  fi
  row "$preset" "$deb" "$triplet" "$sizes" "$suite" >"$logs/$preset.row"
  printf '%s: %s in %d s (log: %s)\n' "$preset" "${suite% (sizes:*}" $((SECONDS - start)) "$logs/$preset.log" >&2
}

# row PRESET DEB TRIPLET "TIME INT SHORT" SUITE: one row of the table.
row() {
  local time_t int short dates=no
  read -r time_t int short <<<"$4"
  [ "$time_t" = 8 ] && dates=yes
  printf "| \`%s\` | %s | %s | %s | %s | %s | %s | %s |\n" "$1" "$2" "$3" "${time_t:-?}" "${int:-?}" "${short:-?}" "$dates" "$5"
}

if [ "${1:-}" = --one ]; then
  run_one "$2"
  exit
fi

mkdir -p "$logs/tmp"
rm -f "$logs"/*.row
runnable=() skipped=()
for preset in $(targets preset); do
  lacking=$(missing_packages "$preset")
  if [ -n "$lacking" ]; then
    skipped+=("- \`$preset\`: apt-get install $lacking")
    echo "$preset: not run, missing $lacking" >&2
  else
    runnable+=("$preset")
  fi
done
echo "running ${#runnable[@]} targets, ${TYPESIZES_JOBS:-2} at a time; logs in $logs" >&2
printf '%s\n' "${runnable[@]}" | xargs -r -P "${TYPESIZES_JOBS:-2}" -I{} bash "$self" --one {}
echo "all targets done in $SECONDS s" >&2

echo "| preset | Debian arch | triplet | \`time_t\` | \`int\` | \`short\` | dates past 2038 | suite |"
echo '|---|---|---|---|---|---|---|---|'
status=0
for preset in "${runnable[@]}"; do
  if [ -f "$logs/$preset.row" ]; then
    cat "$logs/$preset.row"
    grep -q '| FAILED' "$logs/$preset.row" && status=1
  else
    row "$preset" '?' '?' '' FAILED
    status=1
  fi
done
if [ ${#skipped[@]} -gt 0 ]; then
  printf '\nNot run, for want of their compiler or runner:\n\n'
  printf '%s\n' "${skipped[@]}"
fi
exit "$status"
