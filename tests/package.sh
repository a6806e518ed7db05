#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# package.sh deb|rpm|zip|tgz: packs the build with cpack and checks the package against the build's facts and outside
# authorities, runs the program from it and its linter; or that cpack refuses a build it must not pack (docs/tests.md).
# shellcheck source=lib.sh disable=SC2154 # the build's facts, which lib.sh reads
. "$(dirname "$0")/lib.sh"
format=$1
generator=${format^^}
name=$package_name
licence=$source/LICENSE

# pack [FOLDER]: cpack into FOLDER ($tmp/pack), logged in $tmp/cpack.log; in UTF-8, for a non-ASCII build path.
pack() {
  mkdir -p "${1:-$tmp/pack}" && chmod g+s "${1:-$tmp/pack}" # a folder's set-group-ID must not reach a package
  LC_ALL=C.UTF-8 cpack --config "$build/CPackConfig.cmake" -C "$config" -G "$generator" -B "${1:-$tmp/pack}" \
    >"$tmp/cpack.log" 2>&1
}

# packed FILE: checks cpack made FILE alone (but for an archive's checksum), the same under umask 077; else stops,
# or skips in cpack's words where rpmbuild cannot take the build's path (one with a blank).
packed() {
  local found blank
  if ! pack; then
    blank=$(tr -s ' \n' ' ' <"$tmp/cpack.log" | grep -o "[^ ]*rpmbuild can't handle paths with spaces[^.]*" || true)
    [ -z "$blank" ] || skip "$blank"
    cat "$tmp/cpack.log"; fail "cpack -G $generator failed"; finish
  fi
  found=$(cd "$tmp/pack" && { ls -- *.deb *.rpm *.zip *.tar.gz 2>/dev/null || true; })
  [ "$found" = "$1" ] || { cat "$tmp/cpack.log"; fail "expected package $1, cpack made: ${found:-nothing}"; finish; }
  (umask 077 && pack "$tmp/again") || { cat "$tmp/cpack.log"; fail "cpack -G $generator failed under umask 077"; }
  cmp -s "$tmp/pack/$1" "$tmp/again/$1" || fail "$1 packed under umask 077 differs from under umask $(umask)"
  package=$tmp/pack/$1
  [[ $1 == *.@(deb|rpm) ]] || (cd "$tmp/pack" && sha256sum --quiet -c "$1.sha256") || fail "no $1.sha256 for it"
}

# dated FILE: checks FILE has SOURCE_DATE_EPOCH's time, or else a git checkout's last commit's (whoever owns it).
dated() {
  local want=${SOURCE_DATE_EPOCH:-} git=(git -c safe.directory='*' -C "$source")
  if [ -z "$want" ] && [ "$("${git[@]}" rev-parse --show-toplevel 2>/dev/null || true)" = "$source" ]; then
    want=$("${git[@]}" cat-file commit HEAD | sed -n 's/^committer .* \([0-9]*\) [-+][0-9]*$/\1/p')
  fi
  [ -z "$want" ] || [ "$(stat -c %Y "$1")" = "$want" ] || fail "${1##*/} is dated $(stat -c %Y "$1"), not $want"
}

# same_run PROGRAM: checks PROGRAM as packaged, through a copy of typesizes-run beside it, prints what the build's does.
same_run() {
  local got want
  [ -z "$not_run" ] || { echo "${1##*/} as packaged: built, not run here: $not_run"; return; }
  cp "${binary%/*}/typesizes-run" "${1%/*}/"
  got=$(cd / && env -i "${1%/*}/typesizes-run") || fail "${1##*/} as packaged exited with status $?"
  want=$("${binary%/*}/typesizes-run")
  [ "$got" = "$want" ] || fail "${1##*/} as packaged printed '$got', the build's '$want'"
}

# manual PAGE: checks the man page's header carries the release's date and version.
manual() {
  local header
  header=$(grep -m1 '^\.TH' <(zcat -f "$1"))
  [[ $header == *" $date \"typesizes $version\""* ]] || fail "man page header '$header' lacks $date and $version"
}

# licence_text FILE: checks FILE is LICENSE, byte for byte.
licence_text() { cmp -s "$1" "$licence" || fail "${1##*/} is not the project's LICENSE"; }

# relations PROVIDES PROVIDED CONFLICTS...: checks a package conflicts with its sibling, the -time64 one PROVIDED.
relations() {
  local want=$2 field
  [ "$sibling" = typesizes ] || want=''
  [ "$1" = "$want" ] || fail "Provides is '$1', expected '$want'"
  for field in "${@:3}"; do
    [ "$field" = "$sibling" ] || fail "Conflicts or Replaces is '$field', expected '$sibling'"
  done
}

# needs_alone PROGRAM: checks PROGRAM needs the target's C library alone, the one the package depends on.
needs_alone() { [ "$(needed "$1")" = "$needs" ] || fail "the packaged program needs $(needed "$1"), not $needs alone"; }

# install_root DEB: installs DEB into an empty dpkg database under $tmp/root, never the system's.
install_root() {
  mkdir -p "$tmp/root/var/lib/dpkg/info" "$tmp/root/var/lib/dpkg/updates"
  touch "$tmp/root/var/lib/dpkg/status" "$tmp/root/var/lib/dpkg/available"
  dpkg --root="$tmp/root" --log=/dev/null --force-not-root --force-architecture --force-depends \
    --force-script-chrootless -i "$1" >"$tmp/dpkg.log" 2>&1 || { cat "$tmp/dpkg.log"; fail "dpkg -i failed"; }
}

# check_deb: the Debian package's fields, files, changelog and copyright (docs/packaging.md); installed, run, lintian.
check_deb() {
  local field want target doc got
  need dpkg-deb dpkg-architecture dpkg-parsechangelog readelf lintian
  packed "${name}_${version}_$deb.deb"
  for field in Package:$name Version:$version Architecture:$deb Section:utils; do
    got=$(dpkg-deb -f "$package" "${field%%:*}")
    [ "$got" = "${field#*:}" ] || fail "${field%%:*} is '$got', expected '${field#*:}'"
  done
  # -print-multiarch follows -m32 and -mx32, which -dumpmachine ignores.
  target=$("${compiler[@]}" -print-multiarch 2>/dev/null || true)
  [ -n "$target" ] || target=$("${compiler[@]}" -dumpmachine)
  want=$(dpkg-architecture -t "$target" -qDEB_HOST_ARCH 2>/dev/null || true)
  [ "$deb" = "$want" ] || fail "Architecture is not $want (the compiler's $target)"
  relations "$(dpkg-deb -f "$package" Provides)" "typesizes (= $version)" \
    "$(dpkg-deb -f "$package" Conflicts)" "$(dpkg-deb -f "$package" Replaces)"
  dpkg-deb -x "$package" "$tmp/root"
  want=$(readelf -VW "$tmp/root/usr/bin/typesizes" | grep -o 'Name: GLIBC_[0-9.]*' | sed 's/.*_//' | sort -V | tail -n1)
  got=$(dpkg-deb -f "$package" Depends)
  [ "$got" = "${needs/.so./} (>= $want)" ] || fail "Depends is '$got', expected '${needs/.so./} (>= $want)'"
  needs_alone "$tmp/root/usr/bin/typesizes"
  dated "$tmp/root/usr/bin/typesizes"
  doc=usr/share/doc/$name
  got=$(dpkg-deb -c "$package" | awk '$1 !~ /^d/ { print $6 }' | sort | xargs)
  want="./usr/bin/typesizes ./$doc/changelog.gz ./$doc/copyright ./usr/share/man/man1/typesizes.1.gz"
  [ "$got" = "$want" ] || fail "holds $got"
  manual "$tmp/root/usr/share/man/man1/typesizes.1.gz"
  zcat "$tmp/root/$doc/changelog.gz" >"$tmp/changelog"
  [ -n "$(tail -n1 "$tmp/changelog")" ] || fail "the changelog ends in a blank line"
  got=$(dpkg-parsechangelog -l "$tmp/changelog" -S Timestamp)
  got=$(dpkg-parsechangelog -l "$tmp/changelog" -S Version)/$(date -u -d "@$got" +%F)
  [ "$got" = "$version/$date" ] || fail "the changelog's newest entry is $got, not $version/$date"
  # LICENSE again from the copyright file: its license paragraph (lines unindented, " ." empty) and the holder.
  awk '/^Copyright: / { sub(/^Copyright: /, ""); holder = $0 }
    /^License: / && ++n == 2 { printf "%s License\n\nCopyright (c) %s\n\n", $2, holder; next }
    n == 2 { sub(/^ /, ""); sub(/^\.$/, ""); print }' "$tmp/root/$doc/copyright" >"$tmp/LICENSE"
  licence_text "$tmp/LICENSE"
  rm -rf "$tmp/root"
  install_root "$package"
  same_run "$tmp/root/usr/bin/typesizes"
  # Debian 12's lintian cannot open the files it unpacks under a non-ASCII path.
  if ! grep -q '[^ -~]' <<<"$TMPDIR"; then
    lintian --fail-on error,warning "$package" || fail "lintian reports errors or warnings"
  elif [ "$failures" -eq 0 ]; then
    skip "lintian cannot read what it unpacks under $TMPDIR (not ASCII); the rest passed"
  fi
}

# check_rpm: the RPM package's fields, relations, changelog and %license file; unpacked, run, and rpmlint.
check_rpm() {
  local requires entry float want got
  need rpmbuild rpm2cpio cpio rpmlint readelf
  packed "$name-$version-1.$rpm.rpm"
  got=$(rpm -qp --qf '%{NAME} %{VERSION} %{ARCH} %{LICENSE}' "$package")
  [ "$got" = "$name $version $rpm MIT" ] || fail "name, version, architecture, license are $got"
  # rpm's own entries aside (its payload features, the loader's GNU hash), the binary's C library alone.
  requires=$(rpm -qpR "$package" | grep -Ev '^(rpmlib\(.*\) <= .*|rtld\(GNU_HASH\))$' || true)
  if ! grep -Eqx "${needs//./\\.}(\(\)\(64bit\))?" <<<"$requires" ||
    grep -Evq "^${needs//./\\.}(\(|$)" <<<"$requires"; then
    fail "requires $(xargs <<<"$requires"), expected $needs alone"
  fi
  got=$(rpm -qp --provides "$package" | grep -vE "^$name(\(.*\))? = " || true)
  relations "$got" "typesizes = $version-1" "$(rpm -qp --conflicts "$package")"
  entry=$(rpm -qp --changelog "$package" | sed -n 1p)
  [[ $entry == "* $(date -u -d "$date" '+%a %b %d %Y') "*" - $version-1" ]] ||
    fail "the changelog's newest entry is '$entry', not version $version of $date"
  got=$(rpm -qp --qf '[%{FILEFLAGS:fflags} %{FILENAMES}\n]' "$package")
  grep -qx "l /usr/share/licenses/$name/LICENSE" <<<"$got" || fail "LICENSE is not the package's %license file"
  mkdir "$tmp/root"
  (cd "$tmp/root" && rpm2cpio "$package" | cpio -idm --quiet) || fail "cannot unpack ${package##*/}"
  needs_alone "$tmp/root/usr/bin/typesizes"
  dated "$tmp/root/usr/bin/typesizes"
  # An RPM architecture for hard-float ends in "hl" (armv7hl), one for soft-float not.
  float=$(readelf -hW "$tmp/root/usr/bin/typesizes" | sed -n 's/^ *Flags:.*, \(hard\|soft\)-float ABI.*/\1/p')
  want=soft
  [[ $rpm != *hl ]] || want=hard
  [ -z "$float" ] || [ "$float" = "$want" ] || fail "architecture $rpm for a binary of $float float ABI"
  licence_text "$tmp/root/usr/share/licenses/$name/LICENSE"
  manual "$tmp/root/usr/share/man/man1/typesizes.1.gz"
  same_run "$tmp/root/usr/bin/typesizes"
  got=$(rpmlint -c "$source/packaging/rpmlint.toml" "$package") || true
  grep -q ' 0 errors, 0 warnings' <<<"$got" || fail "rpmlint reports errors or warnings: $got"
}

# check_zip: the zip of a program that is no system's package: its files in a folder, dated alike in any time zone.
check_zip() {
  local top=typesizes-$version-$preset program=${binary##*/} usage times want
  need unzip sha256sum
  export SOURCE_DATE_EPOCH=1700000000
  TZ=Pacific/Kiritimati packed "$top.zip"
  want=$(printf "$top/%s\n" LICENSE README.txt "$program" "${outputs[@]}" | sort | xargs)
  [ "$(unzip -Z1 "$package" | sort | xargs)" = "$want" ] || fail "the zip holds $(unzip -Z1 "$package" | xargs)"
  # Both the DOS field (a local date and time) and the Unix one (UTC, which unzip -Z -T prefers).
  times=$(unzip -Zv "$package" | sed -n 's/.*(DOS date\/time): *//p' | sort -u | xargs)
  [ "$times" = "2023 Nov 14 22:13:20" ] || fail "members' DOS times are '$times', not 2023 Nov 14 22:13:20 (UTC)"
  times=$(TZ=UTC0 unzip -Z -T "$package" | awk '/^-/ { print $7 }' | sort -u | xargs)
  [ "$times" = 20231114.221320 ] || fail "members' times are '$times', not 20231114.221320 (UTC)"
  unzip -q "$package" -d "$tmp/root" || fail "cannot unpack $top.zip"
  licence_text "$tmp/root/$top/LICENSE"
  usage=$tmp/root/$top/README.txt
  if [ "$eol" = CRLF ]; then
    [ "$(grep -c $'\r$' "$usage")" = "$(wc -l <"$usage")" ] || fail "README.txt has lines without CR LF"
  fi
  archive_usage "$usage"
  same_run "$tmp/root/$top/$program"
}

# archive_usage README: checks an archive's usage note names the release and LICENSE's license.
archive_usage() {
  local want
  grep -q "^typesizes $version: " "$1" || fail "README.txt does not start with 'typesizes $version: '"
  want="License: $(sed -n '1s/ License$//p' "$licence") (see LICENSE)."
  grep -qxF "$want" <(tr -d '\r' <"$1") || fail "README.txt lacks the line '$want'"
}

# check_tgz: the tar.gz of a static program: its files in a folder, the program stripped, and its SHA-256 checksum.
check_tgz() {
  local top=typesizes-$version-$preset got want
  need tar sha256sum
  packed "$top.tar.gz"
  got=$(tar -tzf "$package" | grep -v '/$' | sort | xargs)
  want=$(printf "$top/%s\n" LICENSE README.txt bin/typesizes share/man/man1/typesizes.1 | sort | xargs)
  [ "$got" = "$want" ] || fail "the archive holds $got"
  mkdir "$tmp/root"
  tar -xzf "$package" -C "$tmp/root" || fail "cannot unpack $top.tar.gz"
  ! grep -q '\.symtab' <<<"$(readelf -SW "$tmp/root/$top/bin/typesizes")" || fail "the program is not stripped"
  dated "$tmp/root/$top/bin/typesizes"
  licence_text "$tmp/root/$top/LICENSE"
  archive_usage "$tmp/root/$top/README.txt"
  manual "$tmp/root/$top/share/man/man1/typesizes.1"
  same_run "$tmp/root/$top/bin/typesizes"
}

# refused WORDS: checks that cpack refuses to pack the build in this format, saying WORDS.
refused() {
  ! pack || fail "cpack -G $generator packed a build it must refuse"
  says "$tmp/cpack.log" "$1" || { cat "$tmp/cpack.log"; fail "cpack's message does not say '$1'"; }
}

echo "package ${name:-?} $version ($format)"
# The -time64 package is its data model's with an 8-byte time_t, its sibling's has 4.
[ "$name" != typesizes-time64 ] || [ "$time_t" = 8 ] || fail "$name's time_t has $time_t bytes, not 8"
[ "$sibling" != typesizes-time64 ] || [ "$time_t" = 4 ] || fail "$name's time_t has $time_t bytes, not 4"
architecture=${format/deb/$deb} architecture=${architecture/rpm/$rpm}
if [ "$sanitize" = ON ]; then
  refused "sanitizer build"
elif [ "$preset" = - ]; then
  refused "no row in cmake/targets.txt"
elif [[ " ${formats[*]} " != *" $generator "* ]]; then
  refused "is packed as"
elif [ "$architecture" = - ]; then
  refused "no $generator architecture"
elif [ "$needs" = - ] && [[ $format == @(deb|rpm) ]]; then
  refused "is statically linked"
else
  "check_$format"
fi
finish
