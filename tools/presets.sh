#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# presets.sh [--check [DIR]]: CMakePresets.json and README's table from the targets; --check: how DIR's differ.
set -euo pipefail && shopt -s inherit_errexit
cd "$(dirname "$0")/.."
case ${1:-} in --check | '') ;; *) echo "usage: tools/presets.sh [--check [DIR]]" >&2 && exit 2 ;; esac
# shellcheck source=../cmake/targets.sh
. cmake/targets.sh
rows=$(targets preset deb triplet runner time_t int short)
version=$(sed -En 's/^cmake_minimum_required\(VERSION ([0-9]*)\.([0-9]*)\)$/"major": \1, "minor": \2/p' CMakeLists.txt)
[ -n "$version" ] || { echo "CMakeLists.txt: no cmake_minimum_required(VERSION X.Y)" >&2 && exit 1; }

# each KIND TEMPLATE...: ends the array before, then KIND's: TEMPLATE a preset.
each() {
  printf '  ],\n  "%s": [\n' "$1"
  { echo "$rows" && echo sanitize; } | awk -v t="${*:2}" '{ s = t; gsub(/NAME/, $1, s)
    gsub(/CONFIG/, $1 == "sanitize" ? "RelWithDebInfo" : "Release", s); print "    " s "," }'
}

# generate: the whole presets file, but for a comma after each array's last entry.
generate() {
  printf '{ "version": 6, "cmakeMinimumRequired": { %s, "patch": 0 },\n  "configurePresets": [\n' "$version"
  echo '    { "name": "base", "hidden": true, "binaryDir": "${sourceDir}/build/${presetName}",'
  echo '      "cacheVariables": { "CMAKE_BUILD_TYPE": "Release", "TYPESIZES_MAINTAINER_CHECKS": "ON" } },'
  echo '    { "name": "default", "inherits": "base", "displayName": "This machine, native compiler" },'
  # Every row but default's, named by its Debian architecture, or else by itself.
  grep -v '^default ' <<<"$rows" | while read -r preset deb triplet runner time_t _; do
    [ "$runner" = - ] && runner="run by the kernel where it can" || runner="runner ${runner%%,*}"
    printf '    { "name": "%s", "inherits": "base", "displayName": "%s (%s), %s-bit time_t, %s",\n' \
      "$preset" "${deb/#-/$preset}" "$triplet" $((time_t * 8)) "$runner"
    printf '      "cacheVariables": { "TYPESIZES_TARGET": "%s" } },\n' "$preset"
  done
  echo '    { "name": "sanitize", "inherits": "base", "displayName": "This machine, AddressSanitizer and UBSan",'
  echo '      "cacheVariables": { "CMAKE_BUILD_TYPE": "RelWithDebInfo", "TYPESIZES_SANITIZE": "ON" } }'
  each buildPresets '{ "name": "NAME", "configurePreset": "NAME", "configuration": "CONFIG" }'
  each testPresets '{ "name": "NAME", "configurePreset": "NAME", "configuration": "CONFIG",' \
    '"output": { "outputOnFailure": true }, "execution": { "noTestsAction": "error" } }'
  each workflowPresets '{ "name": "NAME", "displayName": "Configure, build and test NAME", "steps": [' \
    '{ "type": "configure", "name": "NAME" }, { "type": "build", "name": "NAME" },' \
    '{ "type": "test", "name": "NAME" } ] }'
  printf '  ]\n}\n'
}

# readme FILE: FILE with the presets by their sizes between its targets begin and end lines.
readme() {
  awk 'NR == FNR { sizes = $5 " " $6 " " $7; arch = $2 == "-" ? $3 : $2
    if (!(sizes in list)) order[++n] = sizes
    list[sizes] = list[sizes] (list[sizes] ? ", " : "") "`" $1 "`" ($1 == arch ? "" : " (" arch ")"); next }
  index($0, "<!-- targets: end -->") == 1 { skip = 0; ends++ }
  !skip { print }
  index($0, "<!-- targets: begin") == 1 { skip = 1; begins++
    print "| `time_t` `int` `short` | presets (architecture) |\n|---|---|"
    for (i = 1; i <= n; i++) print "| " order[i] " | " list[order[i]] " |" }
  END { if (begins != 1 || ends != 1) { print "README.md: not one targets begin and end" > "/dev/stderr"; exit 2 } }
  ' - "$1" <<<"$rows"
}

json=$(generate | sed -z 's/,\n  ]/\n  ]/g')
md=$(readme "${2:-.}/README.md")
stale=''
for file in CMakePresets.json README.md; do
  made=$json && [ "$file" = CMakePresets.json ] || made=$md
  [ "${1:-}" = --check ] || { cmp -s "$file" - <<<"$made" || echo "$made" >"$file"; continue; }
  diff -u "${2:-.}/$file" - <<<"$made" || stale=1
done
[ -z "$stale" ] || { echo "not current: run bash tools/presets.sh"; exit 1; }
