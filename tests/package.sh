#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# package.sh deb|rpm|zip  packs the configured and built folder with cpack
# (under the caller's umask, then under another to get the same bytes) into a
# fresh temporary folder and checks the package: its name, version and
# architecture as the table of targets gives them for the build's preset and
# as the compiler's target and the binary's float ABI imply, its files, times
# and fields, and its dependencies against what the binary needs; then
# installs or unpacks it there, runs the program from it against the build's
# own (where it runs here), and runs lintian or rpmlint. A build that must not
# be packed in that format (a sanitizer build, a target without a row or
# without an architecture for the format, another system's program or a
# statically linked one as a Debian or RPM package) is checked to be refused,
# with the reason.
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
format=$1
packaging=$(dirname "$0")/../packaging
# The version and date every package must carry: NEWS.md's first release heading, "## <version> (<date>)".
read -r version date < <(sed -n 's/^## \([^ ]*\) (\(.*\))$/\1 \2/p' "$packaging/../NEWS.md" | head -n1)

# pack GENERATOR [FOLDER]: runs cpack into FOLDER ($tmp/pack), its output kept in $tmp/cpack.log; in a
# UTF-8 locale, in which alone cpack's own tar reads a build folder's non-ASCII path.
pack() {
  LC_ALL=C.UTF-8 cpack --config "$build/CPackConfig.cmake" -C "$config" -G "$1" -B "${2:-$tmp/pack}" \
    >"$tmp/cpack.log" 2>&1
}

# repacked GENERATOR FILE: checks that cpack under umask 077 makes FILE again, byte for byte.
repacked() {
  (umask 077 && pack "$1" "$tmp/again") || { cat "$tmp/cpack.log"; fail "cpack -G $1 failed under umask 077"; }
  cmp -s "$2" "$tmp/again/${2##*/}" || fail "${2##*/} packed under umask 077 differs from under umask $(umask)"
}

# dated FILE: checks FILE as packed has the time of the last commit of the project's files, as git tells it
# whoever owns the checkout (or SOURCE_DATE_EPOCH's, when set); outside a git checkout it is not checked.
dated() {
  local want
  want=${SOURCE_DATE_EPOCH:-$(git -c safe.directory='*' -C "$source" log -1 --format=%ct -- . 2>/dev/null)}
  [ -z "$want" ] || [ "$(stat -c %Y "$1")" = "$want" ] || fail "${1##*/} is dated $(stat -c %Y "$1"), not $want"
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
  got=$(cd / && env -i "${run[@]}" "$1") || fail "$1 as packaged exited with status $?"
  want=$("${run[@]}" "$binary")
  [ "$got" = "$want" ] || fail "$1 as packaged printed '$got', the build's binary '$want'"
}

# docs ROOT: checks the man page's header and the Debian changelog's newest entry carry $version and $date.
docs() {
  local header entry
  gzip -t "$1/usr/share/man/man1/typesizes.1.gz" || fail "man page is not gzipped"
  header=$(zcat "$1/usr/share/man/man1/typesizes.1.gz" | grep -m1 '^\.TH')
  [[ $header == *" $date \"typesizes $version\""* ]] || fail "man page header '$header' lacks $date and $version"
  [ -f "$1/usr/share/doc/$name/changelog.gz" ] || return 0
  entry=$(zcat "$1/usr/share/doc/$name/changelog.gz" | sed -n '1p; /^ -- /{p; q}' | paste -sd' ')
  [[ $entry == "typesizes ($version) "*" $(date -u -R -d "$date")" ]] ||
    fail "changelog's newest entry is '$entry', not version $version of $date"
  # Every line of NEWS.md's release notes, in order, and no other.
  [ "$(zcat "$1/usr/share/doc/$name/changelog.gz" | sed -n 's/^  \(\* \|  \)//p')" = \
    "$(sed -n '/^## [^ ]* (.*)$/,$ s/^\(- \| \+\)//p' "$packaging/../NEWS.md")" ] ||
    fail "the changelog's notes are not NEWS.md's release notes"
}

# news_lines: checks a release note line with ';', '[' or '\' stays one line of the Debian changelog.
news_lines() {
  printf '## 9.9.9 (2026-01-02)\n\n- a [b; c\\\n  d\n' >"$tmp/NEWS.md"
  cmake -Dnews="$tmp/NEWS.md" -Dmaintainer=M -Dout="$tmp/changelog" -P "$packaging/documents.cmake" ||
    fail "packaging/documents.cmake cannot read $tmp/NEWS.md"
  [ "$(sed -n 's/^  \(\* \|  \)//p' "$tmp/changelog" 2>/dev/null)" = $'a [b; c\\\nd' ] ||
    fail "NEWS.md's note lines 'a [b; c\\' and 'd' are not the changelog's: $(cat "$tmp/changelog")"
}

# needs BINARY: checks BINARY needs the target's C library alone (more would
# be packages the package does not depend on, and a program that cannot start).
needs() {
  [ "$(needed "$1")" = "$libc" ] || fail "the packaged program needs $(needed "$1"); expected $libc alone"
}

# fields DEB: checks the name, version and architecture (the other fields are
# lintian's to judge), the architecture also against the one Debian maps the
# compiler's target to, and that Depends is the C library's package (as Debian
# names it after its soname: libc.so.6 is libc6) at the newest GLIBC version
# the binary's symbols need.
fields() {
  local field want needed target
  for field in Package:$name Version:$version Architecture:$arch; do
    want=${field#*:} field=${field%%:*}
    [ "$(dpkg-deb -f "$1" "$field")" = "$want" ] || fail "$field is '$(dpkg-deb -f "$1" "$field")', expected '$want'"
  done
  # -print-multiarch follows -m32 and -mx32, which -dumpmachine ignores.
  target=$("${cxx[@]}" -print-multiarch 2>/dev/null) || target=''
  [ -n "$target" ] || target=$("${cxx[@]}" -dumpmachine)
  want=$(dpkg-architecture -t "$target" -qDEB_HOST_ARCH 2>/dev/null)
  [ "$(dpkg-deb -f "$1" Architecture)" = "$want" ] || fail "Architecture is not $want (the compiler's $target)"
  needed=$(readelf -VW "$tmp/root/usr/bin/typesizes" | grep -o 'Name: GLIBC_[0-9.]*' | sed 's/.*_//' |
    sort -V | tail -n1)
  want="${libc/.so./} (>= $needed)"
  [ "$(dpkg-deb -f "$1" Depends)" = "$want" ] || fail "Depends is '$(dpkg-deb -f "$1" Depends)', expected '$want'"
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
  need dpkg-deb dpkg-architecture readelf lintian
  local deb=${name}_${version}_$arch.deb files want
  pack DEB || { cat "$tmp/cpack.log"; fail "cpack -G DEB failed"; finish; }
  packed "$deb"
  deb=$tmp/pack/$deb
  repacked DEB "$deb"
  dpkg-deb -x "$deb" "$tmp/root"
  needs "$tmp/root/usr/bin/typesizes"
  dated "$tmp/root/usr/bin/typesizes"
  fields "$deb"
  files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort | tr '\n' ' ')
  want="./usr/bin/typesizes ./usr/share/doc/$name/changelog.gz ./usr/share/doc/$name/copyright"
  [ "$files" = "$want ./usr/share/man/man1/typesizes.1.gz " ] || fail "unexpected files: $files"
  grep -q '^License: MIT$' "$tmp/root/usr/share/doc/$name/copyright" || fail "copyright file names no MIT license"
  docs "$tmp/root"
  news_lines
  rm -rf "$tmp/root"
  install_root -i "$deb"
  same_run "$tmp/root/usr/bin/typesizes"
  # Debian 12's lintian cannot open the files it unpacks under a non-ASCII path.
  if ! grep -q '[^ -~]' <<<"$TMPDIR"; then
    lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"
  elif [ "$failures" -eq 0 ]; then
    skip "lintian cannot read what it unpacks under $TMPDIR (not ASCII); the rest passed"
  fi
}

# check_rpm: the RPM package.
check_rpm() {
  need rpmbuild rpm2cpio cpio rpmlint
  local rpm=$name-$version-1.$arch.rpm requires entry reason float want
  if ! pack RPM; then
    # A path with a blank, which rpmbuild cannot take, in cpack's words.
    reason=$(tr -s ' \n' ' ' <"$tmp/cpack.log" | grep -o "[^ ]*rpmbuild can't handle paths with spaces[^.]*")
    [ -n "$reason" ] && skip "$reason"
    cat "$tmp/cpack.log"
    fail "cpack -G RPM failed"
    finish
  fi
  packed "$rpm"
  rpm=$tmp/pack/$rpm
  repacked RPM "$rpm"
  [ "$(rpm -qp --qf '%{NAME} %{VERSION} %{ARCH} %{LICENSE}' "$rpm")" = "$name $version $arch MIT" ] \
    || fail "name, version, architecture, license are $(rpm -qp --qf '%{NAME} %{VERSION} %{ARCH} %{LICENSE}' "$rpm")"
  # rpm's own entries aside (its payload features, the loader's GNU hash), the
  # binary's C library alone (and symbol versions of it).
  requires=$(rpm -qpR "$rpm" | grep -Ev '^(rpmlib\(.*\) <= .*|rtld\(GNU_HASH\))$')
  if ! grep -Eqx "${libc//./\\.}(\(\)\(64bit\))?" <<<"$requires" ||
    grep -Evq "^${libc//./\\.}(\(|$)" <<<"$requires"; then
    fail "requires $(tr '\n' ' ' <<<"$requires"), expected $libc alone"
  fi
  entry=$(rpm -qp --changelog "$rpm" | head -n1)
  [[ $entry == "* $(date -u -d "$date" '+%a %b %d %Y') "*" - $version-1" ]] ||
    fail "the changelog's newest entry is '$entry', not version $version of $date"
  mkdir "$tmp/root"
  (cd "$tmp/root" && rpm2cpio "$rpm" | cpio -idm --quiet) || fail "cannot unpack $rpm"
  needs "$tmp/root/usr/bin/typesizes"
  dated "$tmp/root/usr/bin/typesizes"
  # arm's RPM architectures name the float ABI, which the ELF header's flags give.
  if [ "$machine" = 40 ]; then
    float=$(readelf -hW "$tmp/root/usr/bin/typesizes" | sed -n 's/^ *Flags:.*, \([a-z]*\)-float ABI.*/\1/p')
    case $arch in armv7hl) want=hard ;; armv5tel | armv7l) want=soft ;; *) want=unknown ;; esac
    [ "$float" = "$want" ] || fail "architecture $arch for a binary of ${float:-unknown} float ABI"
  fi
  [ -f "$tmp/root/usr/share/licenses/$name/LICENSE" ] || fail "no license file"
  docs "$tmp/root"
  same_run "$tmp/root/usr/bin/typesizes"
  rpmlint -c "$packaging/rpmlint.toml" "$rpm" || fail "rpmlint reports errors or warnings"
}

# check_zip: the zip of any other system's build: the program, LICENSE and the
# usage note, and what the kind of target adds (AVR's hex image, Emscripten's
# script and page), in a folder named like the zip, each with the time
# SOURCE_DATE_EPOCH gives, whatever the time zone it is packed in.
check_zip() {
  need unzip
  local top=typesizes-$version-$preset program=${binary##*/} usage times adds='' want
  SOURCE_DATE_EPOCH=1700000000 TZ=Pacific/Kiritimati pack ZIP ||
    { cat "$tmp/cpack.log"; fail "cpack -G ZIP failed"; finish; }
  packed "$top.zip"
  SOURCE_DATE_EPOCH=1700000000 repacked ZIP "$tmp/pack/$top.zip"
  case $machine/$system in 83/*) adds=typesizes.hex ;; */Emscripten) adds='typesizes.html typesizes.js' ;; esac
  # shellcheck disable=SC2086 # one member a word
  want=$(printf "$top/%s\n" LICENSE README.txt "$program" $adds | sort | xargs)
  [ "$(unzip -Z1 "$tmp/pack/$top.zip" | sort | xargs)" = "$want" ] ||
    fail "the zip holds $(unzip -Z1 "$tmp/pack/$top.zip" | xargs), expected $want"
  # Both the DOS field (a local date and time) and the Unix one (UTC, which unzip -Z -T prefers).
  times=$(unzip -Zv "$tmp/pack/$top.zip" | sed -n 's/.*(DOS date\/time): *//p' | sort -u | xargs)
  [ "$times" = "2023 Nov 14 22:13:20" ] ||
    fail "members' DOS times are '$times', not SOURCE_DATE_EPOCH's 2023 Nov 14 22:13:20 (UTC)"
  times=$(TZ=UTC0 unzip -Z -T "$tmp/pack/$top.zip" | awk '/^-/ { print $7 }' | sort -u | xargs)
  [ "$times" = 20231114.221320 ] || fail "members' times are '$times', not SOURCE_DATE_EPOCH's 20231114.221320 (UTC)"
  unzip -q "$tmp/pack/$top.zip" -d "$tmp/root" || fail "cannot unpack $top.zip"
  cmp -s "$tmp/root/$top/LICENSE" "$packaging/../LICENSE" || fail "LICENSE is not the project's"
  usage=$tmp/root/$top/README.txt
  if [ "$system" = Windows ]; then
    [ "$(grep -c $'\r$' "$usage")" = "$(wc -l <"$usage")" ] || fail "README.txt has lines without Windows' CR LF"
  fi
  grep -q "^typesizes $version: " "$usage" || fail "README.txt does not start with 'typesizes $version: '"
  want="License: $(sed -n '1s/ License$//p' "$packaging/../LICENSE") (see LICENSE)."
  grep -qxF "$want" <(tr -d '\r' <"$usage") || fail "README.txt lacks the line '$want'"
  same_run "$tmp/root/$top/$program"
}

# refused GENERATOR WORDS: checks that cpack refuses to pack the build in
# GENERATOR's format, saying WORDS.
refused() {
  ! pack "$1" || fail "cpack -G $1 packed a build it must refuse"
  grep -q "$2" "$tmp/cpack.log" || { cat "$tmp/cpack.log"; fail "cpack's message does not say '$2'"; }
}

# The package's name and architecture, as the table gives them for the
# build's preset; a 32-bit target's second data model is another package.
name=typesizes
[[ $preset == *-time64 ]] && name=typesizes-time64
arch=$(targets preset deb rpm | awk -v p="$preset" -v f="$format" '$1 == p { print f == "rpm" ? $3 : $2 }')
echo "package $name $version ${arch:-?} ($format)"
# The -time64 presets are named for their 8-byte time_t, their siblings of the same name without it have 4.
if [[ $preset == *-time64 ]]; then
  [ "$time_t" = 8 ] || fail "$preset's time_t has $time_t bytes, not 8"
elif targets preset | grep -qx -- "$preset-time64"; then
  [ "$time_t" = 4 ] || fail "$preset's time_t has $time_t bytes, not 4 ($preset-time64 has 8)"
fi
if [ "$sanitize" = ON ]; then
  refused "${format^^}" "sanitizer build"
elif [ "$preset" = - ]; then
  refused "${format^^}" "no row in cmake/targets.txt"
elif [ "$format" != zip ] && [ "$system" != Linux ]; then
  refused "${format^^}" "is packed as a zip"
elif [ "$format" != zip ] && [ "$arch" = - ]; then
  refused "${format^^}" "no ${format^^} architecture"
elif [ "$format" != zip ] && need readelf && ! readelf -lW "$binary" | grep -qw INTERP; then
  refused "${format^^}" "is statically linked"
else
  "check_$format"
fi
finish
