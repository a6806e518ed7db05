# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# What the tests share: the build's facts (TYPESIZES_FACTS), failing, skipping; a verdict alike for all (docs/tests.md).
set -euo pipefail
export LC_ALL=C
export PATH=$PATH:/usr/sbin:/sbin
mkdir -p "${TMPDIR:=/tmp}" && export TMPDIR
failures=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME=$tmp/home XDG_CACHE_HOME=$tmp/home/.cache XDG_CONFIG_HOME=$tmp/home/.config
mkdir -p "$HOME"
# shellcheck source=/dev/null
. "${TYPESIZES_FACTS:?names the facts of the build}"

# fail MESSAGE: records one failed check and says which.
fail() { printf 'FAIL: %s\n' "$*"; failures=$((failures + 1)); }

# skip REASON: the test does not apply here; ctest reports it as skipped.
skip() { printf 'skipped: %s\n' "$*"; exit 77; }

# missing REASON: skips for want of a tool, or fails with TYPESIZES_REQUIRE_CHECKERS=1 (CI, which installs them all).
missing() {
  [ "${TYPESIZES_REQUIRE_CHECKERS:-0}" != 1 ] || { printf 'FAIL: %s (TYPESIZES_REQUIRE_CHECKERS=1)\n' "$1"; exit 1; }
  skip "$1"
}

# need COMMAND...: skips (see missing) when a command is missing, naming its Debian package.
need() {
  local command
  for command in "$@"; do
    command -v "$command" >/dev/null ||
      missing "$command not found; install the Debian package ${packages[$command]:-?}"
  done
}

# says FILE TEXT: FILE holds TEXT, which CMake may have wrapped across lines and indented.
says() { tr -s ' \n' '  ' <"$1" | grep -qF -- "$2"; }

# needed FILE: the libraries an ELF file needs, on one line.
needed() { readelf -dW "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | xargs; }

# runs_here: skips, saying why, when this build's programs cannot run here (see missing, for a runner's package).
runs_here() {
  [ -z "$not_run" ] && return
  [ -z "$not_run_package" ] || missing "built, not run here: $not_run"
  skip "built, not run here: $not_run"
}

# finish: ends the test, failed when any check failed.
finish() {
  [ "$failures" -eq 0 ] || { printf '%d check(s) failed\n' "$failures"; exit 1; }
  echo "all checks passed"
}
