# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# Helpers shared by the test scripts: count failures, skip with a reason. The
# verdict must not depend on who runs the tests: tools speak the C locale (their
# output is parsed), system programs are found where Debian puts them, and
# temporary files and any tool's home-directory state stay in TMPDIR (the
# build folder's, when CTest runs the test).
set -u
export LC_ALL=C
export PATH=$PATH:/usr/sbin:/sbin
mkdir -p "${TMPDIR:=/tmp}" && export TMPDIR
failures=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME=$tmp/home XDG_CACHE_HOME=$tmp/home/.cache XDG_CONFIG_HOME=$tmp/home/.config
mkdir -p "$HOME"

# fail MESSAGE: records one failed check and says which.
fail() { printf 'FAIL: %s\n' "$*"; failures=$((failures + 1)); }

# skip REASON: the test does not apply here; ctest reports it as skipped.
skip() { printf 'skipped: %s\n' "$*"; exit 77; }

# need COMMAND...: skips when a command is missing, naming its Debian package
# (from checkers.txt); with TYPESIZES_REQUIRE_CHECKERS=1 (CI, which installs
# every tool) that is a failure.
need() {
  local command package
  for command in "$@"; do
    command -v "$command" >/dev/null && continue
    package=$(awk -v c="$command" '$1 == c { print $2 }' "$(dirname "${BASH_SOURCE[0]}")/checkers.txt")
    if [ "${TYPESIZES_REQUIRE_CHECKERS:-0}" = 1 ]; then
      printf 'FAIL: %s not found (TYPESIZES_REQUIRE_CHECKERS=1); install the Debian package %s\n' "$command" "${package:-?}"
      exit 1
    fi
    skip "$command not found; install the Debian package ${package:-?}"
  done
}

# finish: ends the test, failed when any check failed.
finish() {
  if [ "$failures" -ne 0 ]; then
    printf '%d check(s) failed\n' "$failures"
    exit 1
  fi
  echo "all checks passed"
}
