#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# targets.sh [--one PRESET | --row BUILD SUITE]: every installed target's workflow, one's, or a row (docs/targets.md).
set -euo pipefail && shopt -s inherit_errexit
cd "$(dirname "$0")/.."
logs=build/targets
header='| preset | Debian arch | triplet | `time_t` | `int` | `short` | suite |'

# row BUILD SUITE: BUILD's row from its facts, typesizes-run and SUITE (docs/targets.md).
row() {
  local facts runner report status=0 suite=$2 from='' sizes='' size
  facts=$(find "$1/tests" -name 'facts-*.sh' | sort | sed -n 1p)
  for runner in "$1"/{,Release/}typesizes-run; do [ -e "$runner" ] && break; done
  report=$("$runner" 2>"$1/run.err" | tr -d '\r') || status=$?
  if [ "$status" = 77 ]; then
    suite=$(sed 's/^typesizes-run: //' "$1/run.err")
    [ "$2" = passed ] || suite="$2; $suite"
    report=$(<"$facts") from=" (sizes: the toolchain's, at configure time)"
  elif [ "$status" != 0 ]; then
    suite="FAILED (typesizes-run exited $status)"
  fi
  for size in time_t int short; do
    sizes+=" $(sed -n "s/^$size='\\?\\([0-9]*\\).*/\\1/p" <<<"$report" | grep . || echo '?') |"
  done
  # shellcheck source=/dev/null disable=SC2154 # the build's facts
  (. "$facts" && echo "| \`$preset\` | $deb | $triplet |$sizes $suite$from |")
}

mkdir -p "$logs"
case ${1:-} in
--row) row=$(row "$2" "$3"); printf '%s\n%s\n' "$header" "$row"; exit ;;
--one) # the preset's workflow, logged, and its row
  suite=passed
  cmake --workflow --preset "$2" >"$logs/$2.log" 2>&1 || suite=FAILED
  { row "build/$2" "$suite" || echo "| \`$2\` | ? | ? | ? | ? | ? | FAILED |"; } >"$logs/$2.row"
  echo "$2: $(cut -d'|' -f8 "$logs/$2.row")in $SECONDS s (log: $logs/$2.log)" >&2
  ! grep -q '| FAILED' "$logs/$2.row"
  exit ;;
'') ;;
*) echo "usage: tools/targets.sh [--one PRESET | --row BUILD SUITE]" >&2 && exit 2 ;;
esac
# shellcheck source=../cmake/targets.sh
. cmake/targets.sh
rm -f "$logs"/*.row
runnable=() skipped='' rows=$(targets preset package runner_package)
while read -r preset packages; do
  lacking=$(lacking "$packages")
  [ -z "$lacking" ] && runnable+=("$preset") && continue
  skipped+="- \`$preset\`: apt-get install $lacking"$'\n'
done <<<"$rows"
echo "running ${#runnable[@]} targets, ${TYPESIZES_JOBS:=2} at a time; logs in $logs" >&2
printf '%s\n' "${runnable[@]}" | xargs -r -P "$TYPESIZES_JOBS" -I{} bash tools/targets.sh --one {} || true
echo "$header"
echo '|---|---|---|---|---|---|---|'
for preset in "${runnable[@]}"; do cat "$logs/$preset.row"; done | tee "$logs/table.md"
[ -z "$skipped" ] || printf '\nNot built, for want of their compiler or runner:\n\n%s' "$skipped"
! grep -q '| FAILED' "$logs/table.md" && { [ -z "$skipped" ] || [ "${TYPESIZES_REQUIRE_CHECKERS:-0}" != 1 ]; }
