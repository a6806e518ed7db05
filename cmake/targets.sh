# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# The tables, read by cmake/targets.cmake; a bad row stops the sourcing caller (2).

# table FILE COLUMN...: those columns of every row of FILE, one row a line.
table() {
  "${CMAKE_COMMAND:-cmake}" -DTABLE="$1" -DCOLUMNS="${*:2}" -P "${BASH_SOURCE[0]%/*}/targets.cmake"
}

# targets COLUMN...: the same for the table of targets, derived facts included.
targets() { table "${BASH_SOURCE[0]%/*}/targets.txt" "$@"; }

# installed PACKAGE: whether dpkg knows the Debian package PACKAGE as installed.
installed() { [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]; }

# lacking PRESET: the preset's compiler and runner packages not installed here.
lacking() {
  local package
  for package in $(targets preset package runner_package | sed -n "s/^$1 //p" | tr , " "); do
    [ "$package" = - ] || installed "$package" || echo "$package"
  done | xargs
}

targets preset >/dev/null && table "${BASH_SOURCE[0]%/*}/../tests/checkers.txt" command >/dev/null || exit 2
