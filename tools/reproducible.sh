#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# tools/reproducible.sh [REPOSITORY [REVISION]]
# Checks that a commit (default: this repository's HEAD) builds and packs to
# the same bytes wherever it is checked out: two clones in temporary folders
# of different path lengths, built for this machine with README's commands
# (cmake -S . -B build && cmake --build build; cd build && cpack -G DEB, then
# -G RPM) with nothing set by hand, the first from a checkout whose files are
# dated 2000 (older than the commit), the second with what reprotest varies
# without privileges: another time zone, umask 002 (cpack 3.25 would take the
# .deb's ar member modes from it), another locale, home and environment.
# Compares the binaries and the packages; exits 1 naming those that differ.
set -euo pipefail
repository=${1:-$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)}
revision=${2:-HEAD}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# build_in DIR [DATE]: clones the revision into DIR/typesizes (its files dated
# DATE, if given), builds it and packs it there; the Windows zip too, in
# build/win64, when its cross compiler is installed.
build_in() {
  git clone --quiet --no-hardlinks "$repository" "$1/typesizes"
  git -C "$1/typesizes" checkout --quiet --detach "$revision"
  [ $# -lt 2 ] || find "$1/typesizes" -path "$1/typesizes/.git" -prune -o -exec touch -h -d "$2" {} +
  (cd "$1/typesizes" && env -u SOURCE_DATE_EPOCH bash -c \
    'cmake -S . -B build && cmake --build build && cd build && cpack -G DEB && cpack -G RPM') \
    >"$1/log" 2>&1 || { cat "$1/log"; echo "build or packing in $1 failed" >&2; exit 1; }
  command -v x86_64-w64-mingw32-g++ >/dev/null || return 0
  (cd "$1/typesizes" && env -u SOURCE_DATE_EPOCH bash -c \
    'cmake --preset win64 && cmake --build --preset win64 && cd build/win64 && cpack -G ZIP') \
    >>"$1/log" 2>&1 || { cat "$1/log"; echo "the Windows build or zip in $1 failed" >&2; exit 1; }
}

# products DIR: the files to compare, relative to DIR/typesizes/build.
products() {
  (cd "$1/typesizes/build" && ls typesizes ./*.deb ./*.rpm win64/typesizes.exe win64/*.zip 2>/dev/null)
}

# compare A B: names each product of A that is missing from B or differs; fails if any.
compare() {
  local file differ=0
  while read -r file; do
    if cmp -s "$1/typesizes/build/$file" "$2/typesizes/build/$file"; then
      echo "same: ${file#./}"
    else
      echo "DIFFERS: ${file#./}"
      differ=1
    fi
  done < <(products "$1")
  [ "$(products "$1")" = "$(products "$2")" ] || { echo "DIFFERS: the products are $(products "$2" | tr '\n' ' ')"; differ=1; }
  return "$differ"
}

short=$tmp/a long=$tmp/a-folder-with-a-much-longer-name
mkdir "$short" "$long"
echo "building $revision of $repository in $short and $long"
build_in "$short" 2000-01-01
(
  umask 002
  mkdir "$long/home"
  export TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 HOME=$long/home TYPESIZES_UNUSED=variation
  build_in "$long"
)
if compare "$short" "$long"; then
  echo "reproducible: the binary and the packages are byte-identical"
else
  echo "not reproducible: the files marked DIFFERS are not byte-identical" >&2
  exit 1
fi
