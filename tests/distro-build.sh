#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# distro-build.sh [HOST_ARCH]: checks that HEAD builds, and passes its tests, as Debian builds packages (docs/ci.md).
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C
# shellcheck source=../cmake/targets.sh
. cmake/targets.sh
host_arch=${1:-$(dpkg-architecture -qDEB_BUILD_ARCH)}
work=$PWD/build/distro/$host_arch
status=0

# as_builder COMMAND...: runs COMMAND as the unprivileged builder.
as_builder() { if [ "$(id -u)" -eq 0 ]; then runuser -u nobody -- "$@"; else "$@"; fi; }

# complain MESSAGE: says what is wrong; the script then fails.
complain() { echo "distro-build: $*" >&2; status=1; }

# dh_shlibdeps reads the host architecture's libc6, not a cross build's -cross packages.
installed "libc6:$host_arch" || { complain "libc6:$host_arch is not installed; as root: dpkg" \
  "--add-architecture $host_arch; apt-get update; apt-get install libc6:$host_arch"; exit 1; }
rm -rf "$work"
mkdir -p "$work"
if ! as_builder test -x "$work"; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  chmod 755 "$work"
  echo "distro-build: nobody cannot enter build/, working in $work"
fi
localedef -i es_ES -f UTF-8 "$work/es_ES.UTF-8"
git archive --prefix=typesizes/ HEAD | tar -x -C "$work"
cp -R tests/debian "$work/typesizes/debian"
cmake -Dnews=NEWS.md -Dmaintainer="$(sed -n 's/^Maintainer: //p' tests/debian/control)" \
  -Dout="$work/typesizes/debian/changelog" -P packaging/documents.cmake
[ "$(id -u)" -ne 0 ] || chown -R nobody: "$work"
echo "distro-build: dpkg-buildpackage -us -uc -b -a$host_arch in $work/typesizes, LC_ALL=es_ES.UTF-8"
(cd "$work/typesizes" && as_builder env -i PATH=/usr/bin:/bin HOME=/nonexistent CI=true LC_ALL=es_ES.UTF-8 \
  LOCPATH="$work" dpkg-buildpackage -us -uc -b -a"$host_arch") >"$work/build.log" 2>&1 || status=$?
echo "distro-build: dpkg-buildpackage exited with status $status; $SECONDS s in all"
[ "$status" -eq 0 ] || { tail -n 60 "$work/build.log"; exit 1; }
grep -q '100% tests passed' "$work/build.log" || complain "not every test passed"
for test in report.output report.failures binary.linkage; do
  grep -Eq "Test +#[0-9]+: $test \.* +Passed" "$work/build.log" || complain "$test did not pass (see $work/build.log)"
done
# dpkg-deb names the .deb after its Architecture field.
deb=$(ls "$work"/typesizes_*_"$host_arch".deb) || { complain "no .deb for $host_arch"; exit 1; }
echo "distro-build: ${deb##*/}, Depends: $(dpkg-deb -f "$deb" Depends)"
grep -E '^ *[0-9]+/[0-9]+ Test +#' "$work/build.log" || true
exit "$status"
