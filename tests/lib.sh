# Helpers shared by the test scripts: count failures, skip with a reason.
set -u
failures=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fail() { printf 'FAIL: %s\n' "$*"; failures=$((failures + 1)); }

# skip REASON: the test does not apply here; ctest reports it as skipped.
skip() { printf 'skipped: %s\n' "$*"; exit 77; }

# need COMMAND PACKAGE: skip when COMMAND is missing, but under CI, which
# installs every tool, a missing one is a failure rather than a quiet pass.
need() {
  command -v "$1" >/dev/null && return
  if [ "${CI:-}" = true ]; then
    printf 'FAIL: %s not found; CI must install the Debian package %s\n' "$1" "$2"
    exit 1
  fi
  skip "$1 not found; install the Debian package $2"
}

finish() {
  if [ "$failures" -ne 0 ]; then
    printf '%d check(s) failed\n' "$failures"
    exit 1
  fi
  echo "all checks passed"
}
