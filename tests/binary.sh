#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# binary.sh BINARY SANITIZED PRINTS CLASS ENDIAN MACHINE FLOAT
# Checks with readelf what the built program is and how it is linked and
# hardened: properties that hold under any reasonable build flags.
#   SANITIZED  ON for a sanitizer build, whose runtime brings its own libraries
#              and constructors: only the target and hardening checks apply
#   PRINTS     the formatted-print imports the flags allow, one of which the
#              binary must have alone: printf, or printf,__printf_chk when
#              the builder asked for _FORTIFY_SOURCE
#   CLASS ENDIAN MACHINE FLOAT
#              the target's ELF class, data encoding, e_machine and arm float
#              ABI from its row of the targets table; - when it has no row
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
need readelf
binary=$1 sanitized=$2 prints=$3 class=$4 endian=$5 machine=$6 float=$7

header=$(readelf -hW "$binary")
dynamic=$(readelf -dW "$binary")
segments=$(readelf -lW "$binary")

# elf_field OFFSET SIZE [ENDIAN]: one unsigned field of the ELF header, by its
# offset, read with od rather than readelf.
elf_field() {
  od -An -j "$1" -N "$2" -t "u$2" ${3:+--endian=$3} "$binary" | tr -d ' '
}

# Built for the target its row describes (a wrong compiler would still pass
# every other check).
elf_class=$(($(elf_field 4 1) * 32)) elf_endian=$(elf_field 5 1)
if [ "$class" = - ]; then
  echo "no row in the targets table: the ELF class, encoding and machine are not checked"
else
  [ "$elf_class" = "$class" ] || fail "ELF class is $elf_class-bit, expected $class"
  case $elf_endian in 1) elf_endian=little ;; 2) elf_endian=big ;; esac
  [ "$elf_endian" = "$endian" ] || fail "ELF data encoding is $elf_endian, expected $endian"
  elf_machine=$(elf_field 18 2 "$endian")
  [ "$elf_machine" = "$machine" ] || fail "ELF e_machine is $elf_machine, expected $machine"
  if [ "$float" != - ]; then
    grep -q "Flags:.*$float-float ABI" <<<"$header" || fail "not the $float-float ABI: $(grep Flags <<<"$header")"
  fi
fi

if ! grep -Eq 'Type: +DYN' <<<"$header" || ! grep -Eq 'FLAGS_1.*PIE' <<<"$dynamic"; then
  fail "not a position-independent executable"
fi
grep -q GNU_RELRO <<<"$segments" || fail "no RELRO segment"
grep -Eq 'BIND_NOW|FLAGS .*NOW' <<<"$dynamic" || fail "not bound at load time (no BIND_NOW): RELRO is partial"
stack=$(grep GNU_STACK <<<"$segments")
if [ -z "$stack" ] || grep -q RWE <<<"$stack"; then fail "stack may be executable: ${stack:-no GNU_STACK header}"; fi

if [ "$sanitized" = ON ]; then
  echo "sanitizer build: library, import and constructor checks apply to the plain build only"
  finish
  exit
fi

needed=$(sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' <<<"$dynamic" | tr '\n' ' ')
[ "$needed" = "libc.so.6 " ] || fail "needs ${needed:-nothing}, expected libc.so.6 alone"

# Undefined dynamic symbols, name@version; the name is the last word but for a
# version index some readelf versions print after it.
imports=$(readelf --dyn-syms -W "$binary" | sed -n 's/.* UND \([^ ]*\).*/\1/p')
output=$(grep -E '^(__)?([a-z]*printf|puts|fputs|fwrite|write)(_chk)?(@|$)' <<<"$imports" | sed 's/@.*//' | tr '\n' ' ')
[[ ",$prints," == *",${output% },"* && $output != *" "*" "* ]] ||
  fail "output imports are: ${output:-none}; expected one of $prints alone"
for symbol in __cxa_atexit atexit at_quick_exit on_exit; do
  grep -Eq "^$symbol(@|$)" <<<"$imports" && fail "imports $symbol"
done
grep -Eq '@(GLIBCXX|CXXABI)' <<<"$imports" && fail "imports from the C++ runtime: $(grep -E '@(GLIBCXX|CXXABI)' <<<"$imports")"

# The C runtime's own start-up object puts one entry in .init_array; any more
# would be static constructors of the program's own.
pointer=$((elf_class / 8))
init=$(readelf -SW "$binary" | sed 's/^ *\[ *[0-9]*\] *//' | awk '$1 == ".init_array" { print $5 }')
[ $((16#${init:-0})) -le "$pointer" ] || fail ".init_array holds $((16#$init / pointer)) entries: static constructors"
finish
