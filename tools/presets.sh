#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# presets.sh [--check]: writes what is made from cmake/targets.txt and
# tests/checkers.txt: CMakePresets.json (configure, build, test and workflow
# presets per row, and `sanitize`), the tables in README.md and docs/targets.md
# and docs/tests.md's install line; --check shows the differences instead, and
# exits 1 when there are any.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=../cmake/targets.sh
. cmake/targets.sh
shopt -s inherit_errexit
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# configure_presets: the configure presets' entries, one line each.
configure_presets() {
  local preset deb triplet runner time_t rows
  rows=$(targets preset deb triplet runner time_t)
  while read -r preset deb triplet runner time_t; do
    if [ "$preset" = default ]; then
      printf '    { "name": "default", "inherits": "base", "displayName": "This machine, native compiler" },\n'
    else
      [ "$deb" = - ] && deb=$preset # no Debian architecture: another system
      [ "$runner" = - ] && runner="run by the kernel where it can" || runner="runner ${runner%%,*}"
      printf '    { "name": "%s", "inherits": "base", "displayName": "%s (%s), %s-bit time_t, %s",\n' \
        "$preset" "$deb" "$triplet" $((time_t * 8)) "$runner"
      printf '      "cacheVariables": { "TYPESIZES_TARGET": "%s" } },\n' "$preset"
    fi
  done <<<"$rows"
}

# presets KIND: the build, test or workflow presets, configuration named.
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

# short_table: the presets (and architecture) by their sizes, in Markdown.
short_table() {
  echo "| \`time_t\` \`int\` \`short\` | presets (architecture) |"
  echo '|---|---|'
  targets time_t int short preset deb triplet | awk '
    { sizes = $1 " " $2 " " $3; arch = $5 == "-" ? $6 : $5; entry = "`" $4 "`" ($4 == arch ? "" : " (" arch ")")
      if (!(sizes in list)) order[++n] = sizes; list[sizes] = list[sizes] (list[sizes] ? ", " : "") entry }
    END { for (i = 1; i <= n; i++) print "| " order[i] " | " list[order[i]] " |" }'
}

# full_table: what each target is built with and what runs it, in Markdown.
full_table() {
  local preset system deb rpm compiler package runner runner_package rows
  rows=$(targets preset system deb rpm compiler package runner runner_package)
  echo '| preset | system | Debian, RPM arch | compiler (Debian package) | runner (Debian package) |'
  echo '|---|---|---|---|---|'
  while read -r preset system deb rpm compiler package runner runner_package; do
    [ "$package" = - ] && package='native' || package="\`$package\`"
    [ "$runner" = - ] && runner='the target itself' || runner="\`$runner\` (\`$runner_package\`)"
    echo "| \`$preset\` | $system | $deb, $rpm | \`$compiler\` ($package) | $runner |"
  done <<<"$rows"
}

# checkers: the command that installs every checker the tests run.
checkers() {
  local fence='```'
  printf '%ssh\napt-get install %s\n%s\n' "$fence" "$(table tests/checkers.txt package | sort -u | xargs)" "$fence"
}

# filled FILE NAME CONTENT: FILE with the part between the lines
# "<!-- NAME: begin ..." and "<!-- NAME: end -->" replaced by CONTENT; fails
# unless FILE has both lines.
filled() {
  awk -v name="$2" -v content="$3" '
    index($0, "<!-- " name ": end -->") == 1 { skip = 0; ends++ }
    !skip { print }
    index($0, "<!-- " name ": begin") == 1 { print content; skip = 1; begins++ }
    END { if (begins != 1 || ends != 1) { print FILENAME ": not one begin and end of " name > "/dev/stderr"; exit 2 } }
  ' "$1"
}

# made FILE CONTENT: keeps CONTENT, FILE as it should be, in $tmp, to be written
# once every file is made.
files=()
made() { printf '%s\n' "$2" >"$tmp/${#files[@]}" && files+=("$1"); }

presets=$(generate)
short=$(short_table)
full=$(full_table)
install=$(checkers)
readme=$(filled README.md targets "$short")
targets_doc=$(filled docs/targets.md targets "$full")
tests_doc=$(filled docs/tests.md checkers "$install")
made CMakePresets.json "$presets"
made README.md "$readme"
made docs/targets.md "$targets_doc"
made docs/tests.md "$tests_doc"

status=0
for i in "${!files[@]}"; do
  if [ "${1:-}" = --check ]; then
    diff -u "${files[i]}" "$tmp/$i" || status=1
  else
    cmp -s "$tmp/$i" "${files[i]}" || cat "$tmp/$i" >"${files[i]}"
  fi
done
[ "$status" -eq 0 ] || echo "not current: run bash tools/presets.sh"
exit "$status"
