# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# The shell's reader of the project's tables, by column name
# (cmake/targets.cmake is CMake's). Source it, then:
#   table FILE COLUMN...  prints those columns of every row of FILE, one row a
#                         line, separated by single spaces; a name the table
#                         lacks, or a row with a field too few or too many,
#                         stops it with status 2; sourcing this file stops
#                         the caller so on a bad row of either table
#   targets COLUMN...     the same for cmake/targets.txt
#   installed PACKAGE     whether the Debian package PACKAGE is installed
#   lacking PRESET        the packages a preset needs that are not installed

# table FILE COLUMN...: the named columns of every row of FILE.
table() {
  local file=$1
  shift
  awk -v names="$*" '
    /^[ \t]*#/ || NF == 0 { next }
    !header {
      width = NF
      for (i = 1; i <= NF; i++) column[$i] = i
      n = split(names, want, " ")
      for (j = 1; j <= n; j++)
        if (!(want[j] in column)) { print FILENAME " has no column " want[j] > "/dev/stderr"; exit 2 }
      header = 1
      next
    }
    NF != width { print FILENAME ": row " $1 " has " NF " fields for " width " columns" > "/dev/stderr"; exit 2 }
    { line = $column[want[1]]; for (j = 2; j <= n; j++) line = line " " $column[want[j]]; print line }
  ' "$file"
}

# targets COLUMN...: the named columns of every row of the table of targets.
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

# Both tables are checked whole when this file is sourced: a bad row stops the
# caller at once, before it reads or writes anything else.
targets preset >/dev/null && table "${BASH_SOURCE[0]%/*}/../tests/checkers.txt" command >/dev/null || exit 2
