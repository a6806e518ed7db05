# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# The tools' helpers: the table of targets, read by cmake/targets.cmake, which stops on a bad row.

# targets COLUMN...: those columns and derived facts of every row, a line each.
targets() { "${CMAKE_COMMAND:-cmake}" -DCOLUMNS="$*" -P "${BASH_SOURCE[0]%/*}/targets.cmake"; }

# installed PACKAGE: whether dpkg knows the Debian package PACKAGE as installed.
installed() { [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true)" = "install ok installed" ]; }

# lacking PACKAGES: those of the comma-separated PACKAGES not installed here.
lacking() {
  for package in ${1//,/ }; do
    [ "$package" = - ] || installed "$package" || echo "$package"
  done | xargs
}
