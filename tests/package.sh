#!/usr/bin/env bash
# package.sh BUILD_DIR DEB_ARCH [--install]
# Makes the Debian package from a configured and built folder with cpack and
# checks its name, architecture, dependency and files. With --install (as
# root), installs it, runs typesizes from PATH and removes it again.
. "$(dirname "$0")/lib.sh"
need dpkg-deb dpkg
build=$(realpath "$1") arch=$2 install=${3:-}

(cd "$build" && cpack -G DEB >"$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log"; fail "cpack -G DEB failed"; finish; }
shopt -s nullglob
debs=("$build"/typesizes_*_"$arch".deb)
[ ${#debs[@]} -eq 1 ] || { fail "expected one typesizes_<version>_$arch.deb, found: $(cd "$build" && echo *.deb)"; finish; }
deb=${debs[0]}
echo "package: $deb"

[ "$(dpkg-deb -f "$deb" Architecture)" = "$arch" ] || fail "Architecture is $(dpkg-deb -f "$deb" Architecture)"
grep -q '^libc6\b' <<<"$(dpkg-deb -f "$deb" Depends)" || fail "does not depend on libc6"
dpkg-deb -c "$deb" | awk '{ print $6 }' >"$tmp/files"
for file in ./usr/bin/typesizes ./usr/share/man/man1/typesizes.1.gz; do
  grep -qx "$file" "$tmp/files" || fail "package lacks $file"
done
dpkg-deb -x "$deb" "$tmp/root"
gzip -t "$tmp/root/usr/share/man/man1/typesizes.1.gz" || fail "man page is not gzipped"
readelf -h "$tmp/root/usr/bin/typesizes" >"$tmp/header"
case $arch in
amd64) want='X86-64' ;; i386) want='80386' ;; arm64) want='AArch64' ;; armhf) want='ARM' ;; *) want='' ;;
esac
grep -q "Machine: *.*$want" "$tmp/header" || fail "binary is not for $arch: $(grep Machine "$tmp/header")"

if [ "$install" = --install ]; then
  dpkg -i "$deb" >/dev/null || fail "dpkg -i failed"
  out=$(cd / && env -i PATH=/usr/bin:/bin typesizes) || fail "installed typesizes failed"
  [ "$out" = "$("$build/typesizes")" ] || fail "installed typesizes printed: $out"
  [ -f /usr/share/man/man1/typesizes.1.gz ] || fail "man page not installed"
  dpkg -r typesizes >/dev/null || fail "dpkg -r failed"
  ! command -v typesizes >/dev/null || fail "typesizes still on PATH after removal"
fi
finish
