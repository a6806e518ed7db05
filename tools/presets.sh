#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# presets.sh [--check]: writes CMakePresets.json, one configure, build, test
# and workflow preset for each row of cmake/targets.txt plus `sanitize`, to
# standard output. With --check, compares that with the file in the tree and
# prints the difference: exit 1 when the file is not current.
set -euo pipefail
cd "$(dirname "$0")/.."

# rows: the table without comments, one target per line.
rows() { grep -v '^#' cmake/targets.txt; }

# configure_presets: the configure presets' entries, one line each.
configure_presets() {
  local preset deb triplet emulator time
  while read -r preset deb _ triplet emulator _ _ _ _ time _; do
    if [ "$preset" = default ]; then
      printf '    { "name": "default", "inherits": "base", "displayName": "This machine, native compiler" },\n'
    else
      printf '    { "name": "%s", "inherits": "base", "displayName": "%s (%s), %s-bit time_t, under %s",\n' \
        "$preset" "$deb" "$triplet" "$time" "$emulator"
      printf '      "cacheVariables": { "TYPESIZES_TARGET": "%s" } },\n' "$preset"
    fi
  done < <(rows)
}

# presets KIND [EXTRA]: one entry per preset of a build, test or workflow list.
presets() {
  local name
  for name in $(rows | cut -d' ' -f1) sanitize; do
    case $1 in
    build) printf '    { "name": "%s", "configurePreset": "%s" },\n' "$name" "$name" ;;
    test) printf '    { "name": "%s", "inherits": "base", "configurePreset": "%s" },\n' "$name" "$name" ;;
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
      "cacheVariables": { "CMAKE_BUILD_TYPE": "Release" }
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

if [ "${1:-}" = --check ]; then
  generate | diff -u CMakePresets.json - || { echo "CMakePresets.json is not current: bash tools/presets.sh > CMakePresets.json"; exit 1; }
else
  generate
fi
