#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# tools/distro-build.sh [HOST_ARCH]  builds HEAD as a Debian package build does
# (a cross build with HOST_ARCH; docs/ci.md): `dpkg-buildpackage -us -uc -b` of a
# `git archive` tarball with tests/debian, as nobody when root, in a clean
# environment with CI=true and a Spanish locale compiled into build/distro/<arch>
# (or a temporary folder, where nobody cannot enter build/). Exit status 0 when
# the package was built and every test passed, none that runs the program skipped.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=../cmake/targets.sh
. cmake/targets.sh
host_arch=${1:-$(dpkg-architecture -qDEB_BUILD_ARCH)}
cross=()
[ "$host_arch" = "$(dpkg-architecture -qDEB_BUILD_ARCH)" ] || cross=("-a$host_arch")
locale=es_ES.UTF-8
work=$PWD/build/distro/$host_arch

# need_host_libc: a cross build's dh_shlibdeps reads the host architecture's libc6
# (symbols file and library), not the -cross packages the cross compiler uses.
need_host_libc() {
  [ ${#cross[@]} -eq 0 ] && return
  installed "libc6:$host_arch" && return
  echo "distro-build: libc6:$host_arch is not installed; as root: dpkg --add-architecture $host_arch;" \
    "apt-get update; apt-get install libc6:$host_arch" >&2
  exit 1
}

# as_builder COMMAND...: runs COMMAND as the unprivileged builder.
as_builder() { if [ "$(id -u)" -eq 0 ]; then runuser -u nobody -- "$@"; else "$@"; fi; }

# changelog FILE: writes the Debian changelog made from NEWS.md, as the project's own packages have it.
changelog() {
  local maintainer
  maintainer=$(sed -n 's/^Maintainer: //p' tests/debian/control)
  cat >"$work/changelog.cmake" <<'EOF'
cmake_minimum_required(VERSION 3.25)
include(${source}/packaging/documents.cmake)
typesizes_changelogs(${source}/NEWS.md typesizes "${maintainer}" ${out} ${out}.rpm)
EOF
  cmake -Dsource="$PWD" -Dmaintainer="$maintainer" -Dout="$1" -P "$work/changelog.cmake"
}

# unpack: the tarball of HEAD unpacked in $work, with the packaging as debian/; prints the source folder.
unpack() {
  local version source
  changelog "$work/changelog"
  version=$(dpkg-parsechangelog -l "$work/changelog" -SVersion)
  source=$work/typesizes-$version
  git archive --format=tar --prefix="typesizes-$version/" HEAD | tar -x -C "$work"
  cp -R tests/debian "$source/debian"
  cp "$work/changelog" "$source/debian/changelog"
  echo "$source"
}

# check_results: the tests' verdicts in the log (those running the program passed) and the .deb.
check_results() {
  local deb test status=0
  grep -q '100% tests passed' "$work/build.log" || { echo "distro-build: not every test passed" >&2; status=1; }
  for test in report.output report.failures binary.linkage; do
    grep -Eq "Test +#[0-9]+: $test \.* +Passed" "$work/build.log" ||
      { echo "distro-build: $test did not pass in $host_arch's build (see $work/build.log)" >&2; status=1; }
  done
  deb=$(ls "$work"/typesizes_*_"$host_arch".deb 2>/dev/null) || { echo "distro-build: no .deb for $host_arch" >&2; return 1; }
  [ "$(dpkg-deb -f "$deb" Architecture)" = "$host_arch" ] || { echo "distro-build: $deb is not for $host_arch" >&2; status=1; }
  echo "distro-build: $(basename "$deb"), Depends: $(dpkg-deb -f "$deb" Depends)"
  grep -E '^ *[0-9]+/[0-9]+ Test +#' "$work/build.log" || true
  return "$status"
}

need_host_libc
rm -rf "$work"
mkdir -p "$work/locale"
if ! as_builder test -x "$work"; then
  rm -rf "$work"
  work=$(mktemp -d)/$host_arch
  trap 'rm -rf "${work%/*}"' EXIT
  mkdir -p "$work/locale"
  chmod 755 "${work%/*}"
  echo "distro-build: nobody cannot enter build/, working in $work"
fi
localedef -i "${locale%%.*}" -f UTF-8 "$work/locale/$locale"
source=$(unpack)
[ "$(id -u)" -ne 0 ] || chown -R nobody: "$work"
start=$SECONDS
echo "distro-build: dpkg-buildpackage -us -uc -b ${cross[*]} in $source, LC_ALL=$locale"
status=0
(cd "$source" && as_builder env -i PATH=/usr/bin:/bin HOME=/nonexistent CI=true LC_ALL="$locale" \
  LOCPATH="$work/locale" dpkg-buildpackage -us -uc -b "${cross[@]}") >"$work/build.log" 2>&1 || status=$?
echo "distro-build: dpkg-buildpackage exited with status $status after $((SECONDS - start)) s"
if [ "$status" -ne 0 ]; then
  tail -n 60 "$work/build.log"
  exit 1
fi
LC_ALL=C check_results
