#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# presets.sh [--check]: writes what is made from cmake/targets.txt:
# CMakePresets.json (a configure, build, test and workflow preset for each row,
# plus `sanitize`), README's table of targets and its line that installs the
# checkers of tests/checkers.txt (between their marks). With --check, writes nothing but prints how the files differ from
# what they should be, and exits 1 when they do.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=../cmake/targets.sh
. cmake/targets.sh
tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT

# configure_presets: the configure presets' entries, one line each.
configure_presets() {
  local preset deb triplet emulator runs time_t where
  while read -r preset deb triplet emulator runs time_t; do
    if [ "$preset" = default ]; then
      printf '    { "name": "default", "inherits": "base", "displayName": "This machine, native compiler" },\n'
    else
      where="under $emulator"
      [ "$runs" = yes ] || where="built, not run here"
      printf '    { "name": "%s", "inherits": "base", "displayName": "%s (%s), %s-bit time_t, %s",\n' \
        "$preset" "$deb" "$triplet" $((time_t * 8)) "$where"
      printf '      "cacheVariables": { "TYPESIZES_TARGET": "%s" } },\n' "$preset"
    fi
  done < <(targets preset deb triplet emulator runs time_t)
}

# presets KIND: one entry per preset of a build, test or workflow list. Build
# and test presets name their configuration, for multi-config generators.
presets() {
  local name config
  for name in $(targets preset) sanitize; do
    config=Release
    [ "$name" = sanitize ] && config=RelWithDebInfo
    case $1 in
    build) printf '    { "name": "%s", "configurePreset": "%s", "configuration": "%s" },\n' "$name" "$name" "$config" ;;
    test)
      printf '    { "name": "%s", "inherits": "base", "configurePreset": "%s", "configuration": "%s" },\n' \
        "$name" "$name" "$config" ;;
    workflow)
      printf '    { "name": "%s", "displayName": "Configure, build and test %s", "steps": [ %s, %s, %s ] },\n' \
        "$name" "$name" "{ \"type\": \"configure\", \"name\": \"$name\" }" \
        "{ \"type\": \"build\", \"name\": \"$name\" }" "{ \"type\": \"test\", \"name\": \"$name\" }" ;;
    esac
  done | sed '$ s/,$//'
}

# generate: the whole presets file.
generate() {
  cat <<'EOF'
{
  "version": 6,
  "cmakeMinimumRequired": { "major": 3, "minor": 25, "patch": 0 },
  "configurePresets": [
    {
      "name": "base", "hidden": true,
      "binaryDir": "${sourceDir}/build/${presetName}",
      "cacheVariables": { "CMAKE_BUILD_TYPE": "Release", "TYPESIZES_MAINTAINER_CHECKS": "ON" }
    },
EOF
  configure_presets
  cat <<'EOF'
    {
      "name": "sanitize", "inherits": "base", "displayName": "This machine, AddressSanitizer and UBSan",
      "cacheVariables": { "CMAKE_BUILD_TYPE": "RelWithDebInfo", "TYPESIZES_SANITIZE": "ON" }
    }
  ],
  "buildPresets": [
EOF
  presets build
  cat <<'EOF'
  ],
  "testPresets": [
    {
      "name": "base", "hidden": true,
      "output": { "outputOnFailure": true },
      "execution": { "noTestsAction": "error" }
    },
EOF
  presets test
  printf '  ],\n  "workflowPresets": [\n'
  presets workflow
  printf '  ]\n}\n'
}

# readme_table: the table of targets, in Markdown.
readme_table() {
  local preset deb triplet package emulator runs time_t int short
  echo "| preset | Debian arch | triplet | cross compiler (Debian package) | runs here under | \`time_t\` \`int\` \`short\` |"
  echo '|---|---|---|---|---|---|'
  while read -r preset deb triplet package emulator runs time_t int short; do
    if [ "$preset" = default ]; then
      echo "| \`default\` | $deb | $triplet | native \`g++\` | — (natively) | $time_t $int $short |"
    elif [ "$runs" != yes ]; then
      echo "| \`$preset\` | $deb | $triplet | \`$package\` | built, not run here: ${runs//_/ } | $time_t $int $short |"
    else
      echo "| \`$preset\` | $deb | $triplet | \`$package\` | \`$emulator -L /usr/$triplet\` | $time_t $int $short |"
    fi
  done < <(targets preset deb triplet package emulator runs time_t int short)
}

# checkers: the command that installs every checker the tests run.
checkers() {
  local fence='```'
  printf '%ssh\napt-get install %s\n%s\n' "$fence" "$(awk '!/^#/ { print $2 }' tests/checkers.txt | sort -u | xargs)" "$fence"
}

# readme: README.md with its made parts made anew.
readme() {
  awk -v table="$(readme_table)" -v checkers="$(checkers)" '
    /<!-- (targets table|checkers): end -->/ { skip = 0 }
    !skip { print }
    /<!-- targets table: begin/ { print table; skip = 1 }
    /<!-- checkers: begin/ { print checkers; skip = 1 }' README.md
}

if [ "${1:-}" = --check ]; then
  status=0
  generate | diff -u CMakePresets.json - || status=1
  readme | diff -u README.md - || status=1
  [ "$status" -eq 0 ] || echo "not current: run bash tools/presets.sh"
  exit "$status"
fi
generate >CMakePresets.json
readme >"$tmp" && cat "$tmp" >README.md
