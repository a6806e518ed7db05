#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# targets.sh [--one PRESET]: runs the workflow of every target whose packages are installed and prints a Markdown
# table of what each printed (docs/targets.md); --one runs PRESET's alone, writing its row in build/targets/.
set -uo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.." || exit
# shellcheck source=../cmake/targets.sh
. cmake/targets.sh
logs=build/targets
mkdir -p "$logs/tmp"

# run_one PRESET: runs the preset's workflow, logged, writes its table row to $logs/PRESET.row and says how it went.
run_one() {
  local build=build/$1 start=$SECONDS failed='' status=0 runner report suite deb triplet size sizes=()
  cmake --workflow --preset "$1" >"$logs/$1.log" 2>&1 || failed=FAILED
  runner=$build/typesizes-run
  [ -e "$runner" ] || runner=$build/Release/typesizes-run # a multi-config generator's
  report=$(TMPDIR=$PWD/$logs/tmp "$runner" 2>"$logs/$1.run") || status=$?
  if [ "$status" -eq 77 ]; then # it cannot run the program here, and says why
    suite="${failed:+FAILED; }$(sed 's/^typesizes-run: //' "$logs/$1.run") (sizes: the toolchain's, at configure time)"
    report=$(cat "$build/tests/facts-Release.sh")
  else
    [ "$status" -eq 0 ] || failed=FAILED
    suite=${failed:-passed}
  fi
  for size in time_t int short; do
    sizes+=("$(tr -d "\r'" <<<"$report" | sed -n "s/^$size=//p" | grep . || echo '?')")
  done
  read -r deb triplet < <(targets preset deb triplet | sed -n "s/^$1 //p")
  printf "| \`%s\` | %s | %s | %s | %s | %s | %s |\n" "$1" "$deb" "$triplet" "${sizes[@]}" "$suite" >"$logs/$1.row"
  printf '%s: %s in %d s (log: %s)\n' "$1" "${suite% (sizes:*}" $((SECONDS - start)) "$logs/$1.log" >&2
}

if [ "${1:-}" = --one ]; then
  run_one "$2"
  exit
fi
rm -f "$logs"/*.row
runnable=() skipped='' status=0
for preset in $(targets preset); do
  lacking=$(lacking "$preset")
  [ -z "$lacking" ] && runnable+=("$preset") && continue
  skipped+="- \`$preset\`: apt-get install $lacking"$'\n'
  echo "$preset: not run, missing $lacking" >&2
done
echo "running ${#runnable[@]} targets, ${TYPESIZES_JOBS:-2} at a time; logs in $logs" >&2
printf '%s\n' "${runnable[@]}" | xargs -r -P "${TYPESIZES_JOBS:-2}" -I{} bash "$self" --one {}
echo "all targets done in $SECONDS s" >&2
echo "| preset | Debian arch | triplet | \`time_t\` | \`int\` | \`short\` | suite |"
echo '|---|---|---|---|---|---|---|'
for preset in "${runnable[@]}"; do
  cat "$logs/$preset.row" 2>/dev/null || echo "| \`$preset\` | ? | ? | ? | ? | ? | FAILED |"
done | tee "$logs/table.md"
! grep -q '| FAILED' "$logs/table.md" || status=1
[ -z "$skipped" ] || printf '\nNot built, for want of their compiler or runner:\n\n%s' "$skipped"
# CI installs every package: one missing is a fault of its own
[ -z "$skipped" ] || [ "${TYPESIZES_REQUIRE_CHECKERS:-0}" != 1 ] || status=1
exit "$status"
