#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# reproducible.sh [REPOSITORY [REVISION]]: reprotest on a commit (docs/packaging.md).
set -euo pipefail
# shellcheck source=../cmake/targets.sh
. "$(dirname "$0")/../cmake/targets.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
git clone --quiet --no-hardlinks "${1:-$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)}" "$tmp/typesizes"
git -C "$tmp/typesizes" checkout --quiet --detach "${2:-HEAD}"
find "$tmp/typesizes" -path "$tmp/typesizes/.git" -prune -o -exec touch -h -d 2000-01-01 {} +
build='unset SOURCE_DATE_EPOCH; cmake -S . -B build && cmake --build build && (cd build && cpack -G "DEB;RPM")'
artifacts='build/typesizes build/*.deb build/*.rpm'
# The first preset of each other system and kind (a failing table read stops the script).
presets=$(targets preset system kind | awk '$2 != "Linux" && !seen[$2 $3]++ { print $1 }')
for preset in $presets; do
  [ -z "$(lacking "$preset")" ] || continue
  build+=" && cmake --preset $preset && cmake --build --preset $preset --target package"
  artifacts+=" build/$preset/*.zip"
done
variations=+all,-time,-user_group,-fileordering
[ "$(id -u)" -eq 0 ] || variations+=,-domain_host
reprotest --no-diffoscope --variations="$variations" \
  -s "$tmp/typesizes" "{ $build; } >build.log 2>&1 || { cat build.log; exit 1; }" "$artifacts"
