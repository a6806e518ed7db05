#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# targets.sh: runs the workflow of every target preset whose compiler and runner
# packages are installed, TYPESIZES_JOBS (default 2) at a time, logged in
# build/targets/, and prints a Markdown table of what each target's program
# printed and whether its suite passed, or why its programs were not run
# (configure accepts two reasons only: the runner's package is missing, or the
# runner cannot run a plain program of the target), then the targets not
# built with the packages they lack (see docs/targets.md). Progress goes to
# standard error; exit status 0 only when every suite passed (and, with
# TYPESIZES_REQUIRE_CHECKERS=1, every target was built).
set -uo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.." || exit
# shellcheck source=../cmake/targets.sh
. cmake/targets.sh
logs=build/targets

# run_one PRESET: runs the preset's workflow, logged, writes its table row to
# $logs/PRESET.row and says on standard error how it went.
run_one() {
  local preset=$1 build=build/$1 start=$SECONDS failed='' status=0 runner report sizes suite deb triplet
  read -r deb triplet < <(targets preset deb triplet | sed -n "s/^$preset //p")
  cmake --workflow --preset "$preset" >"$logs/$preset.log" 2>&1 || failed=FAILED
  # typesizes-run (in Release/ for a multi-config generator) exits 77 saying why
  # it cannot run the program; what it writes for itself stays in the logs.
  runner=$build/typesizes-run
  [ -e "$runner" ] || runner=$build/Release/typesizes-run
  report=$(TMPDIR=$PWD/$logs/tmp "$runner" 2>"$logs/$preset.run") || status=$?
  report=${report//$'\r'/}
  if [ "$status" -eq 77 ]; then
    suite="${failed:+FAILED; }$(sed 's/^typesizes-run: //' "$logs/$preset.run") (sizes: the toolchain's, found at configure time)"
    # shellcheck source=/dev/null
    sizes=$(. "$build/tests/facts-Release.sh" && echo "$time_t $int $short")
  else
    [ "$status" -eq 0 ] || failed=FAILED
    suite=${failed:-passed}
    sizes="$(sed -n 's/^time_t=//p' <<<"$report") $(sed -n 's/^int=//p' <<<"$report") $(sed -n 's/^short=//p' <<<"$report")"
  fi
  row "$preset" "$deb" "$triplet" "$sizes" "$suite" >"$logs/$preset.row"
  printf '%s: %s in %d s (log: %s)\n' "$preset" "${suite% (sizes:*}" $((SECONDS - start)) "$logs/$preset.log" >&2
}

# row PRESET DEB TRIPLET "TIME INT SHORT" SUITE: one row of the table.
row() {
  local time_t int short
  read -r time_t int short <<<"$4"
  printf "| \`%s\` | %s | %s | %s | %s | %s | %s |\n" "$1" "$2" "$3" "${time_t:-?}" "${int:-?}" "${short:-?}" "$5"
}

if [ "${1:-}" = --one ]; then
  run_one "$2"
  exit
fi

mkdir -p "$logs/tmp"
rm -f "$logs"/*.row
runnable=() skipped=()
for preset in $(targets preset); do
  lacking=$(lacking "$preset")
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

echo "| preset | Debian arch | triplet | \`time_t\` | \`int\` | \`short\` | suite |"
echo '|---|---|---|---|---|---|---|'
status=0
for preset in "${runnable[@]}"; do
  line=$(cat "$logs/$preset.row" 2>/dev/null || row "$preset" '?' '?' '' FAILED)
  echo "$line"
  [[ $line != *'| FAILED'* ]] || status=1
done
if [ ${#skipped[@]} -gt 0 ]; then
  printf '\nNot built, for want of their compiler or runner:\n\n'
  printf '%s\n' "${skipped[@]}"
  # CI installs every package: one missing is a fault of its own.
  [ "${TYPESIZES_REQUIRE_CHECKERS:-0}" != 1 ] || status=1
fi
exit "$status"
