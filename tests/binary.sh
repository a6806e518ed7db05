#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# binary.sh BINARY EMPTY SANITIZED CLASS ENDIAN MACHINE FLOAT
# Checks with readelf what the built program is and how it is linked and
# hardened: properties that hold under any reasonable build flags. What the
# toolchain's start-up files bring (libraries, initialisers, imports) differs
# by target, so the program is judged against EMPTY, an empty program built
# with the same options: it may add its output calls, nothing else.
#   SANITIZED  ON for a sanitizer build, whose runtime brings its own libraries
#              and constructors: only the target and hardening checks apply
#   CLASS ENDIAN MACHINE FLOAT
#              the target's ELF class, data encoding, e_machine and arm float
#              ABI from its row of the targets table; - when it has no row
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
need readelf
binary=$1 empty=$2 sanitized=$3 class=$4 endian=$5 machine=$6 float=$7

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

# needed FILE: the libraries FILE needs, one a line.
needed() { readelf -dW "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'; }
[ "$(needed "$binary")" = "$(needed "$empty")" ] ||
  fail "needs $(needed "$binary" | xargs), where an empty program needs $(needed "$empty" | xargs)"

# imports FILE: FILE's undefined dynamic symbols, name@version, one a line; the
# name is the word after UND (readelf may print a note before the name or a
# version index after it).
imports() { readelf --dyn-syms -W "$1" | sed -n 's/.* UND \([^ ]*\).*/\1/p' | sort -u; }
own=$(comm -23 <(imports "$binary") <(imports "$empty"))
output=$(grep -E '^(__)?([a-z]*printf|puts|fputs|fwrite|write)(_chk)?(@|$)' <<<"$own" | sed 's/@.*//' | xargs)
[[ $output == printf || $output == __printf_chk ]] || fail "output imports are: ${output:-none}; expected printf alone"
for symbol in __cxa_atexit atexit at_quick_exit on_exit; do
  grep -Eq "^$symbol(@|$)" <<<"$own" && fail "imports $symbol: an exit handler of its own"
done
grep -Eq '@(GLIBCXX|CXXABI)' <<<"$own" && fail "imports from the C++ runtime: $(grep -E '@(GLIBCXX|CXXABI)' <<<"$own" | xargs)"

# initialisers FILE: the bytes of FILE's tables of functions run before main.
initialisers() {
  local size total=0
  for size in $(readelf -SW "$1" | sed 's/^ *\[ *[0-9]*\] *//' |
    awk '$1 ~ /^\.(preinit_array|init_array|ctors)$/ { print $5 }'); do
    total=$((total + 16#$size))
  done
  echo "$total"
}
[ "$(initialisers "$binary")" -le "$(initialisers "$empty")" ] ||
  fail "runs $(($(initialisers "$binary") - $(initialisers "$empty"))) bytes more of initialisers than an empty program: static constructors"
finish
