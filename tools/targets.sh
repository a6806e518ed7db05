#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# targets.sh [--one PRESET]: every installed target's workflow (docs/targets.md).
set -uo pipefail
cd "$(dirname "$0")/.." || exit
# shellcheck source=../cmake/targets.sh
. cmake/targets.sh
logs=build/targets && mkdir -p "$logs/tmp"

# run_one PRESET: runs the preset's workflow, logged, and writes its row.
run_one() {
  local build=build/$1 start=$SECONDS failed='' status=0 sizes='' from='' size
  cmake --workflow --preset "$1" >"$logs/$1.log" 2>&1 || failed=FAILED
  for runner in "$build"/{,Release/}typesizes-run; do [ -e "$runner" ] && break; done
  report=$(TMPDIR=$PWD/$logs/tmp "$runner" 2>"$logs/$1.run") || status=$?
  suite=${failed:-passed}
  [ "$status" = 0 ] || suite=FAILED
  if [ "$status" = 77 ]; then # it cannot run the program here, and says why
    suite="${failed:+FAILED; }$(sed 's/^typesizes-run: //' "$logs/$1.run")"
    report=$(<"$build/tests/facts-Release.sh") from=" (sizes: the toolchain's, at configure time)"
  fi
  for size in time_t int short; do
    sizes+=" $(tr -d "\r'" <<<"$report" | sed -n "s/^$size=//p" | grep . || echo '?') |"
  done
  read -r deb triplet < <(targets preset deb triplet | sed -n "s/^$1 //p")
  echo "| \`$1\` | $deb | $triplet |$sizes $suite$from |" >"$logs/$1.row"
  echo "$1: $suite in $((SECONDS - start)) s (log: $logs/$1.log)" >&2
}

[ "${1:-}" != --one ] || { run_one "$2"; exit; }
rm -f "$logs"/*.row
runnable=() skipped=''
for preset in $(targets preset); do
  lacking=$(lacking "$preset")
  [ -z "$lacking" ] && runnable+=("$preset") && continue
  skipped+="- \`$preset\`: apt-get install $lacking"$'\n'
  echo "$preset: not run, missing $lacking" >&2
done
echo "running ${#runnable[@]} targets, ${TYPESIZES_JOBS:=2} at a time; logs in $logs" >&2
printf '%s\n' "${runnable[@]}" | xargs -r -P "$TYPESIZES_JOBS" -I{} bash tools/targets.sh --one {}
echo "all targets done in $SECONDS s" >&2
echo "| preset | Debian arch | triplet | \`time_t\` | \`int\` | \`short\` | suite |"
echo '|---|---|---|---|---|---|---|'
for preset in "${runnable[@]}"; do
  cat "$logs/$preset.row" 2>/dev/null || echo "| \`$preset\` | ? | ? | ? | ? | ? | FAILED |"
done | tee "$logs/table.md"
[ -z "$skipped" ] || printf '\nNot built, for want of their compiler or runner:\n\n%s' "$skipped"
# a failed suite fails it; so does a missing package in CI, which installs them all
! grep -q '| FAILED' "$logs/table.md" && { [ -z "$skipped" ] || [ "${TYPESIZES_REQUIRE_CHECKERS:-0}" != 1 ]; }
