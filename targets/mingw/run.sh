#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# run.sh WINE PROGRAM [ARG...]: a Windows program under wine, without its messages, menus or browser.
set -euo pipefail
WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=,winemenubuilder.exe=d' exec "$@"
