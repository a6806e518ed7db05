#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# presets.sh [--check]: CMakePresets.json and README's table; --check: the diff.
set -euo pipefail && shopt -s inherit_errexit
cd "$(dirname "$0")/.."
# shellcheck source=../cmake/targets.sh
. cmake/targets.sh

# each KIND TEMPLATE...: ends the array before, then KIND's: TEMPLATE a preset.
each() {
  printf '  ],\n  "%s": [\n' "$1"
  { targets preset && echo sanitize; } | awk -v t="${*:2}" '{ s = t; gsub(/NAME/, $1, s)
    gsub(/CONFIG/, $1 == "sanitize" ? "RelWithDebInfo" : "Release", s); print "    " s "," }'
}

# configure_presets: the configure preset of every row but default (written with the base).
configure_presets() {
  targets preset deb triplet runner time_t | grep -v '^default ' | while read -r preset deb triplet runner time_t; do
    [ "$deb" = - ] && deb=$preset # no Debian architecture: another system
    [ "$runner" = - ] && runner="run by the kernel where it can" || runner="runner ${runner%%,*}"
    printf '    { "name": "%s", "inherits": "base", "displayName": "%s (%s), %s-bit time_t, %s",\n%s\n' "$preset" \
      "$deb" "$triplet" $((time_t * 8)) "$runner" "      \"cacheVariables\": { \"TYPESIZES_TARGET\": \"$preset\" } },"
  done
}

# generate: the whole presets file, but for a comma after each array's last entry.
generate() {
  cat <<'EOF'
{ "version": 6, "cmakeMinimumRequired": { "major": 3, "minor": 25, "patch": 0 },
  "configurePresets": [
    { "name": "base", "hidden": true, "binaryDir": "${sourceDir}/build/${presetName}",
      "cacheVariables": { "CMAKE_BUILD_TYPE": "Release", "TYPESIZES_MAINTAINER_CHECKS": "ON" } },
    { "name": "default", "inherits": "base", "displayName": "This machine, native compiler" },
EOF
  configure_presets
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

json=$(generate | sed -z 's/,\n  ]/\n  ]/g')
# README.md with the presets (and architecture) by their sizes between its lines "<!-- targets: begin" and "end -->"
md=$(targets time_t int short preset deb triplet | awk '
  NR == FNR { sizes = $1 " " $2 " " $3; arch = $5 == "-" ? $6 : $5
    if (!(sizes in list)) order[++n] = sizes
    list[sizes] = list[sizes] (list[sizes] ? ", " : "") "`" $4 "`" ($4 == arch ? "" : " (" arch ")"); next }
  index($0, "<!-- targets: end -->") == 1 { skip = 0; ends++ }
  !skip { print }
  index($0, "<!-- targets: begin") == 1 { skip = 1; begins++
    print "| `time_t` `int` `short` | presets (architecture) |\n|---|---|"
    for (i = 1; i <= n; i++) print "| " order[i] " | " list[order[i]] " |" }
  END { if (begins != 1 || ends != 1) { print "README.md: not one targets begin and end" > "/dev/stderr"; exit 2 } }
' - README.md)
stale=''
for file in CMakePresets.json README.md; do
  made=$json && [ "$file" = CMakePresets.json ] || made=$md
  if [ "${1:-}" != --check ]; then cmp -s "$file" - <<<"$made" || echo "$made" >"$file"
  else diff -u "$file" - <<<"$made" || stale=1; fi
done
[ -z "$stale" ] || { echo "not current: run bash tools/presets.sh"; exit 1; }
