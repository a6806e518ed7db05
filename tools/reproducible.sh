#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# tools/reproducible.sh [REPOSITORY [REVISION]]
# Checks with reprotest that a commit (default: HEAD) builds and packs to the
# same bytes twice, varying what reprotest can here (docs/packaging.md): README's
# commands, and the zip of the first preset of each other kind of target (its
# system and board folders) whose packages are installed, from one clone dated
# 2000, SOURCE_DATE_EPOCH unset.
set -euo pipefail
repository=${1:-$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)}
revision=${2:-HEAD}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# shellcheck source=../cmake/targets.sh
. "$(dirname "$0")/../cmake/targets.sh"

git clone --quiet --no-hardlinks "$repository" "$tmp/typesizes"
git -C "$tmp/typesizes" checkout --quiet --detach "$revision"
find "$tmp/typesizes" -path "$tmp/typesizes/.git" -prune -o -exec touch -h -d 2000-01-01 {} +

build='unset SOURCE_DATE_EPOCH; cmake -S . -B build && cmake --build build'
build+=' && cd build && cpack -G DEB && cpack -G RPM && cd ..'
artifacts='build/typesizes build/*.deb build/*.rpm'
kinds=$(targets preset system board | awk '$2 != "Linux" && !seen[$2 $3]++ { print $1 }')
for preset in $kinds; do
  [ -z "$(lacking "$preset")" ] || continue
  build+=" && cmake --preset $preset && cmake --build --preset $preset && (cd build/$preset && cpack -G ZIP)"
  artifacts+=" build/$preset/*.zip"
done
# Host and domain names are varied in namespaces of reprotest's own, which only
# root can make without sudo.
variations=+all,-time,-user_group,-fileordering
[ "$(id -u)" -eq 0 ] || variations+=,-domain_host
echo "building $revision of $repository twice, varying $variations: $artifacts"
reprotest --no-diffoscope --variations="$variations" \
  -s "$tmp/typesizes" "{ $build; } >build.log 2>&1 || { cat build.log; exit 1; }" "$artifacts"
