#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# package.sh deb|rpm BUILD CONFIG BINARY VERSION VARIANT ARCH [EMULATOR...]
# package.sh deb|rpm BUILD CONFIG BINARY VERSION VARIANT ARCH --not-run REASON
#   Packs configuration CONFIG of the configured and built folder BUILD, whose
#   program is BINARY, with cpack into a fresh temporary folder and checks the
#   package against the target's row of cmake/targets.txt (ARCH is its deb or
#   rpm column; VARIANT is "time64" or -): name, version, architecture, fields,
#   files; then installs or unpacks it in the temporary folder, runs the binary
#   from there (through EMULATOR for a cross build; not at all, for REASON, on
#   a machine that cannot run it) against the build's own, and runs lintian or
#   rpmlint.
# package.sh zip BUILD CONFIG BINARY VERSION VARIANT SYSTEM [EMULATOR... | --not-run REASON]
#   The same for the zip of a Windows build; SYSTEM is win64 or win32.
# package.sh refuse BUILD CONFIG GENERATOR WORDS
#   Checks that cpack's GENERATOR (DEB, RPM) refuses to pack BUILD, with a
#   message containing WORDS.
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
format=$1 build=$(realpath "$2") config=$3
shift 3
packaging=$(dirname "$0")/../packaging

# pack GENERATOR: runs cpack into $tmp/pack, its output kept in $tmp/cpack.log.
pack() {
  cpack --config "$build/CPackConfig.cmake" -C "$config" -G "$1" -B "$tmp/pack" >"$tmp/cpack.log" 2>&1
}

# packed FILE: checks cpack made FILE alone in $tmp/pack, else stops the test.
packed() {
  local found
  found=$(cd "$tmp/pack" && ls -- *.deb *.rpm *.zip 2>/dev/null)
  [ "$found" = "$1" ] && return
  cat "$tmp/cpack.log"
  fail "expected package $1, cpack made: ${found:-nothing}"
  finish
}

# same_run BINARY: runs BINARY as installed and checks it prints what the build's binary prints.
same_run() {
  local got want
  if [ -n "$not_run" ]; then
    echo "$1 as packaged: built, not run here: $not_run"
    return
  fi
  got=$(cd / && env -i "${emulator[@]}" "$1") || fail "$1 as packaged exited with status $?"
  want=$("${emulator[@]}" "$binary")
  [ "$got" = "$want" ] || fail "$1 as packaged printed '$got', the build's binary '$want'"
}

# docs ROOT: checks the man page's header and the changelog's newest entry carry $version.
docs() {
  local header entry
  gzip -t "$1/usr/share/man/man1/typesizes.1.gz" || fail "man page is not gzipped"
  header=$(zcat "$1/usr/share/man/man1/typesizes.1.gz" | grep -m1 '^\.TH')
  [[ $header == *"typesizes $version"* ]] || fail "man page header '$header' lacks version $version"
  [ -f "$1/usr/share/doc/$name/changelog.gz" ] || return 0
  entry=$(zcat "$1/usr/share/doc/$name/changelog.gz" | head -n1)
  [[ $entry == "typesizes ($version) "* ]] || fail "changelog's newest entry is '$entry', not version $version"
}

# libc BINARY: the soname of the C library BINARY needs (libc.so.6; libc.so.6.1 on alpha).
libc() { readelf -dW "$1" | sed -n 's/.*(NEEDED).*\[\(libc\.so\.[0-9.]*\)\]/\1/p'; }

# glibc_needed BINARY: the highest GLIBC_x.y that BINARY's version needs name for its C library.
glibc_needed() {
  readelf -V -W "$1" | awk -v libc="File: $(libc "$1")" '/File:/ { libc_seen = (index($0, libc " ") > 0) }
    libc_seen && match($0, /Name: GLIBC_[0-9.]+/) { print substr($0, RSTART + 12, RLENGTH - 12) }' | sort -V | tail -n1
}

# fields DEB: checks the name, version and architecture (the other fields are
# lintian's to judge), and that Depends covers the imported glibc versions exactly.
fields() {
  local field want needed declared libc_package
  for field in Package:$name Version:$version Architecture:$arch; do
    want=${field#*:} field=${field%%:*}
    [ "$(dpkg-deb -f "$1" "$field")" = "$want" ] || fail "$field is '$(dpkg-deb -f "$1" "$field")', expected '$want'"
  done
  needed=$(glibc_needed "$tmp/root/usr/bin/typesizes")
  # Debian names a library's package after its soname: libc.so.6 is libc6.
  libc_package=$(libc "$tmp/root/usr/bin/typesizes" | sed 's/\.so\.//')
  declared=$(dpkg-deb -f "$1" Depends | sed -n "s/^${libc_package//./\\.} (>= \([0-9.]*\))\$/\1/p")
  [ -n "$declared" ] || fail "Depends is '$(dpkg-deb -f "$1" Depends)', not $libc_package (>= x.y) alone"
  [ -n "$needed" ] || fail "binary names no GLIBC version it needs"
  if [ -n "$declared" ] && [ -n "$needed" ] && [ "$declared" != "$needed" ]; then
    fail "Depends on $libc_package (>= $declared), but the binary needs GLIBC_$needed"
  fi
}

# install_root DEB: installs DEB into an empty dpkg database under $tmp/root, never the system's.
install_root() {
  mkdir -p "$tmp/root/var/lib/dpkg/info" "$tmp/root/var/lib/dpkg/updates"
  touch "$tmp/root/var/lib/dpkg/status" "$tmp/root/var/lib/dpkg/available"
  dpkg --root="$tmp/root" --log=/dev/null --force-not-root --force-architecture --force-depends \
    --force-script-chrootless "$@" >"$tmp/dpkg.log" 2>&1 || { cat "$tmp/dpkg.log"; fail "dpkg $* failed"; }
}

# check_deb: the Debian package.
check_deb() {
  need dpkg-deb readelf lintian
  local deb=${name}_${version}_$arch.deb files
  pack DEB || { cat "$tmp/cpack.log"; fail "cpack -G DEB failed"; finish; }
  packed "$deb"
  deb=$tmp/pack/$deb
  dpkg-deb -x "$deb" "$tmp/root"
  fields "$deb"
  files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort | tr '\n' ' ')
  [ "$files" = "./usr/bin/typesizes ./usr/share/doc/$name/changelog.gz ./usr/share/doc/$name/copyright ./usr/share/man/man1/typesizes.1.gz " ] \
    || fail "unexpected files: $files"
  grep -q '^License: MIT$' "$tmp/root/usr/share/doc/$name/copyright" || fail "copyright file names no MIT license"
  docs "$tmp/root"
  rm -rf "$tmp/root"
  install_root -i "$deb"
  same_run "$tmp/root/usr/bin/typesizes"
  lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"
}

# check_rpm: the RPM package.
check_rpm() {
  need rpmbuild rpm2cpio cpio rpmlint
  local rpm=$name-$version-1.$arch.rpm requires libc
  pack RPM || { cat "$tmp/cpack.log"; fail "cpack -G RPM failed"; finish; }
  packed "$rpm"
  rpm=$tmp/pack/$rpm
  [ "$(rpm -qp --qf '%{NAME} %{VERSION} %{ARCH} %{LICENSE}' "$rpm")" = "$name $version $arch MIT" ] \
    || fail "name, version, architecture, license are $(rpm -qp --qf '%{NAME} %{VERSION} %{ARCH} %{LICENSE}' "$rpm")"
  # rpm's own entries aside (its payload features, the loader's GNU hash), the
  # binary's C library alone (and symbol versions of it).
  requires=$(rpm -qpR "$rpm" | grep -Ev '^(rpmlib\(.*\) <= .*|rtld\(GNU_HASH\))$')
  libc=$(libc "$binary")
  if ! grep -Eqx "${libc//./\\.}(\(\)\(64bit\))?" <<<"$requires" || grep -Evq "^${libc//./\\.}(\(|$)" <<<"$requires"; then
    fail "requires $(tr '\n' ' ' <<<"$requires"), expected ${libc:-libc.so.N} alone"
  fi
  mkdir "$tmp/root"
  (cd "$tmp/root" && rpm2cpio "$rpm" | cpio -idm --quiet) || fail "cannot unpack $rpm"
  [ -f "$tmp/root/usr/share/licenses/$name/LICENSE" ] || fail "no license file"
  docs "$tmp/root"
  same_run "$tmp/root/usr/bin/typesizes"
  rpmlint -c "$packaging/rpmlint.toml" "$rpm" || fail "rpmlint reports errors or warnings"
}

# check_zip: the zip for Windows: the program, LICENSE and the usage note in a
# folder named like the zip, each with the time SOURCE_DATE_EPOCH gives,
# whatever the time zone it is packed in.
check_zip() {
  need unzip
  local top=$name-$version-$arch members usage times
  SOURCE_DATE_EPOCH=1700000000 TZ=Pacific/Kiritimati pack ZIP || { cat "$tmp/cpack.log"; fail "cpack -G ZIP failed"; finish; }
  packed "$top.zip"
  members=$(unzip -Z1 "$tmp/pack/$top.zip" | sort | xargs)
  [ "$members" = "$top/LICENSE $top/README.txt $top/typesizes.exe" ] || fail "unexpected members: $members"
  # Both the DOS field (a local date and time) and the Unix one (UTC, which unzip -Z -T prefers).
  times=$(unzip -Zv "$tmp/pack/$top.zip" | sed -n 's/.*(DOS date\/time): *//p' | sort -u | xargs)
  [ "$times" = "2023 Nov 14 22:13:20" ] || fail "members' DOS times are '$times', not SOURCE_DATE_EPOCH's 2023 Nov 14 22:13:20 (UTC)"
  times=$(TZ=UTC0 unzip -Z -T "$tmp/pack/$top.zip" | awk '/^-/ { print $7 }' | sort -u | xargs)
  [ "$times" = 20231114.221320 ] || fail "members' times are '$times', not SOURCE_DATE_EPOCH's 20231114.221320 (UTC)"
  unzip -q "$tmp/pack/$top.zip" -d "$tmp/root" || fail "cannot unpack $top.zip"
  cmp -s "$tmp/root/$top/LICENSE" "$packaging/../LICENSE" || fail "LICENSE is not the project's"
  usage=$tmp/root/$top/README.txt
  [ "$(grep -c $'\r$' "$usage")" = "$(wc -l <"$usage")" ] || fail "README.txt has lines without Windows' CR LF"
  grep -q "^typesizes $version: " "$usage" || fail "README.txt does not start with 'typesizes $version: '"
  same_run "$tmp/root/$top/typesizes.exe"
}

case $format in
deb | rpm | zip)
  binary=$1 version=$2 variant=$3 arch=$4
  shift 4
  not_run=''
  [ "${1:-}" = --not-run ] && not_run=$2 && shift 2
  emulator=("$@")
  name=typesizes
  [ "$variant" = - ] || name=typesizes-$variant
  echo "package $name $version $arch"
  "check_$format"
  ;;
refuse)
  ! pack "$1" || fail "cpack -G $1 packed a build it must refuse"
  grep -q "$2" "$tmp/cpack.log" || { cat "$tmp/cpack.log"; fail "cpack's message does not say '$2'"; }
  ;;
*)
  fail "unknown check $format"
  ;;
esac
finish
