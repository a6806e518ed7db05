#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# checker.sh [--quiet] [--missing REASON] COMMAND [ARG...]: runs a checker that may not be installed; --missing: what
# else it needs is missing (see lib.sh); --quiet: anything on standard error fails too (groff warns there yet exits 0).
# shellcheck source=lib.sh disable=SC2154 # the build's facts, which lib.sh reads
. "$(dirname "$0")/lib.sh"

quiet=false
[ "${1:-}" = --quiet ] && { quiet=true; shift; }
[ "${1:-}" = --missing ] && missing "$2"
need "$1"

status=0
"$@" 2>"$tmp/err" || status=$?
cat "$tmp/err"
[ "$status" -eq 0 ] || fail "$1 exited with status $status"
if $quiet && [ -s "$tmp/err" ]; then fail "$1 printed warnings"; fi
finish
