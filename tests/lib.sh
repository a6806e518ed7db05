# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# Helpers shared by the test scripts: the build's facts (the file CMake wrote,
# named by TYPESIZES_FACTS), counting failures, skipping with a reason. The
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
# The build's facts (tests/CMakeLists.txt writes them): its row's preset and
# format facts (- without a row), its system, the sizes its toolchain gives,
# the project version, whether it is a sanitizer build, its folder and
# configuration, the program, the empty program and the program's own objects
# with the toolchain's nm and readelf to read them, the source folder, the
# compiler with the flags that choose its target (cxx) and whether the
# project's toolchain cross-compiles, whether the builder asked for a static
# program, how its programs run here (run, a command
# to put in front of them) or why they cannot (not_run, and not_run_package
# when the runner's package is missing).
# shellcheck disable=SC2034
preset=- class=- endian=- machine=- abi=- libc=- system='' time_t='' int='' short='' version='' sanitize=OFF \
  build='' config='' binary='' empty='' objects=() nm='' readelf='' source='' cxx=() cross=FALSE static='' not_run='' \
  not_run_package='' run=()
# shellcheck source=/dev/null
if [ -n "${TYPESIZES_FACTS:-}" ] && ! . "$TYPESIZES_FACTS"; then
  echo "FAIL: cannot read the build's facts, $TYPESIZES_FACTS"
  exit 1
fi
# shellcheck source=../cmake/targets.sh
. "$(dirname "${BASH_SOURCE[0]}")/../cmake/targets.sh"

# fail MESSAGE: records one failed check and says which.
fail() { printf 'FAIL: %s\n' "$*"; failures=$((failures + 1)); }

# skip REASON: the test does not apply here; ctest reports it as skipped.
skip() { printf 'skipped: %s\n' "$*"; exit 77; }

# missing REASON: skips for want of a tool; with TYPESIZES_REQUIRE_CHECKERS=1
# (CI, which installs every tool) that is a failure.
missing() {
  [ "${TYPESIZES_REQUIRE_CHECKERS:-0}" = 1 ] && { printf 'FAIL: %s (TYPESIZES_REQUIRE_CHECKERS=1)\n' "$1"; exit 1; }
  skip "$1"
}

# need COMMAND...: skips (see missing) when a command is missing, naming its
# Debian package (from checkers.txt).
need() {
  local command package
  for command in "$@"; do
    command -v "$command" >/dev/null && continue
    package=$(table "$(dirname "${BASH_SOURCE[0]}")/checkers.txt" command package | sed -n "s/^$command //p")
    missing "$command not found; install the Debian package ${package:-?}"
  done
}

# needed FILE: the libraries an ELF file needs, on one line.
needed() { readelf -dW "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | xargs; }

# runs_here: skips, saying why, when this build's programs cannot run here;
# fails instead when the runner's package is missing and checkers are required.
runs_here() {
  [ -z "$not_run" ] && return
  [ -z "$not_run_package" ] || missing "built, not run here: $not_run"
  skip "built, not run here: $not_run"
}

# finish: ends the test, failed when any check failed.
finish() {
  if [ "$failures" -ne 0 ]; then
    printf '%d check(s) failed\n' "$failures"
    exit 1
  fi
  echo "all checks passed"
}
