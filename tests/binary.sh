#!/usr/bin/env bash
# binary.sh BINARY SANITIZED: checks with readelf how the built program is
# linked and hardened. SANITIZED is ON for a sanitizer build, whose runtime
# brings its own libraries and constructors: only the hardening applies there.
. "$(dirname "$0")/lib.sh"
need readelf binutils
binary=$1 sanitized=${2:-OFF}

header=$(readelf -hW "$binary")
dynamic=$(readelf -dW "$binary")
segments=$(readelf -lW "$binary")

grep -Eq 'Type: +DYN' <<<"$header" && grep -Eq 'FLAGS_1.*PIE' <<<"$dynamic" \
  || fail "not a position-independent executable"
grep -q GNU_RELRO <<<"$segments" || fail "no RELRO segment"
grep -Eq 'BIND_NOW|FLAGS .*NOW' <<<"$dynamic" || fail "not bound at load time (no BIND_NOW): RELRO is partial"
stack=$(grep GNU_STACK <<<"$segments")
[ -n "$stack" ] && ! grep -q RWE <<<"$stack" || fail "stack may be executable: ${stack:-no GNU_STACK header}"

if [ "$sanitized" = ON ]; then
  echo "sanitizer build: library and constructor checks apply to the plain build only"
  finish
  exit
fi

needed=$(sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' <<<"$dynamic")
[ "$needed" = libc.so.6 ] || fail "needs $(echo $needed), expected libc.so.6 alone"

imports=$(readelf --dyn-syms -W "$binary" | awk '$7 == "UND" && $8 != "" { print $8 }')
grep -Eq '^printf(@|$)' <<<"$imports" || fail "does not import plain printf"
for symbol in __printf_chk puts __cxa_atexit atexit at_quick_exit on_exit; do
  grep -Eq "^$symbol(@|$)" <<<"$imports" && fail "imports $symbol"
done
grep -Eq '@(GLIBCXX|CXXABI)' <<<"$imports" && fail "imports from the C++ runtime: $(grep -E '@(GLIBCXX|CXXABI)' <<<"$imports")"

# The C runtime's own start-up object puts one entry in .init_array; any more
# would be static constructors of the program's own.
pointer=8
grep -q 'Class: *ELF32' <<<"$header" && pointer=4
init=$(readelf -SW "$binary" | sed 's/^ *\[ *[0-9]*\] *//' | awk '$1 == ".init_array" { print $5 }')
[ $((16#${init:-0})) -le "$pointer" ] || fail ".init_array holds $((16#$init / pointer)) entries: static constructors"
finish
