#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# binary.sh  checks what the built program is and how it is linked and
# hardened, by reading it (readelf for ELF, objdump for a Windows .exe):
# properties that hold under any reasonable build flags. The target's format
# facts (class, byte order, machine, ABI) and the C runtime it may need
# come from its row of the table of targets, through the build's facts
# (tests/lib.sh). Constructors and exit handlers are judged against an empty
# program built with the same options, which shows what the toolchain's
# start-up files alone bring. A sanitizer build, whose runtime brings its own
# libraries and constructors, gets the format and hardening checks only.
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"

# elf_field OFFSET SIZE [ENDIAN]: one unsigned field of the file's headers, by
# its offset, read with od rather than the tool under whose judgement it is.
elf_field() {
  od -An -j "$1" -N "$2" -t "u$2" ${3:+--endian=$3} "$binary" | tr -d ' '
}

# dlls FILE: the DLLs a Windows program imports, one a line.
dlls() { objdump -p "$1" | sed -n 's/^\tDLL Name: //p' | sort; }

# pe: a Windows program: PE32 or PE32+ for the row's machine; relocatable, with
# ASLR (high-entropy on 64-bit) and DEP asked of the loader; importing what an
# empty program imports, from Windows' own DLLs alone (KERNEL32 and the C
# runtime: no libgcc, libstdc++, libssp or winpthread DLL to ship with it).
pe() {
  local pe kind flags got want=$((0x40 | 0x100))
  need objdump
  pe=$(elf_field 60 4 little)
  [ "$(elf_field "$pe" 4 little)" = $((0x4550)) ] || { fail "not a PE file"; return; }
  case $(elf_field $((pe + 24)) 2 little) in 267) kind=32 ;; 523) kind=64 ;; *) kind=unknown ;; esac
  if [ "$class" = - ]; then
    echo "no row in the targets table: the PE format and machine are not checked"
  else
    [ "$kind" = "$class" ] || fail "PE optional header is for $kind-bit (PE32+ is 64), expected $class"
    got=$(elf_field $((pe + 4)) 2 little)
    [ "$got" = "$machine" ] || fail "PE machine is $got, expected $machine"
  fi
  [ $(($(elf_field $((pe + 22)) 2 little) & 1)) = 0 ] || fail "relocations stripped: the image cannot be moved"
  [ "$kind" = 64 ] && want=$((want | 0x20))
  flags=$((16#$(objdump -p "$binary" | sed -n 's/^DllCharacteristics[[:space:]]*//p')))
  [ $((flags & want)) = "$want" ] || fail "DllCharacteristics $(printf %#x "$flags") lack" \
    "$(printf %#x $((want & ~flags))) (0x20 high-entropy ASLR, 0x40 ASLR, 0x100 DEP)"
  got=$(dlls "$binary" | tr '[:upper:]' '[:lower:]' | xargs)
  [ "$got" = "$(printf '%s\n' kernel32.dll "${libc,,}" | sort | xargs)" ] ||
    fail "imports $(dlls "$binary" | xargs), expected KERNEL32.dll and $libc alone"
  # mingw-w64's runtime is linked in, so constructors show in the program's
  # symbols rather than its imports.
  [ -n "$(ctor_list "$binary")" ] || { echo "no symbol table: constructors and exit handlers are not checked"; return; }
  [ "$(ctor_list "$binary")" -le "$(ctor_list "$empty")" ] ||
    fail "lists $(($(ctor_list "$binary") - $(ctor_list "$empty"))) bytes more of constructors" \
      "than an empty program: static constructors"
}

# ctor_list FILE: the bytes of a Windows program's list of constructors (from
# its __CTOR_LIST__ to its __DTOR_LIST__), empty without a symbol table.
ctor_list() {
  local ctors dtors
  read -r ctors dtors < <(nm "$1" |
    awk '$3 == "__CTOR_LIST__" { c = $1 } $3 == "__DTOR_LIST__" { d = $1 } END { print c, d }')
  [ -n "$dtors" ] && echo $((16#$dtors - 16#$ctors))
}

# The program's own code (its objects, whatever the format) defines no static
# constructor and calls no function that registers an exit handler: nothing
# of its own runs before main or after it. Linked-in C library code, which
# may register handlers of its own, is not the program's.
own=$("$nm" "${objects[@]}" 2>&1) || fail "$nm cannot read the program's objects: $own"
grep -E '_GLOBAL__sub_I_' <<<"$own" && fail "the program's own code has a static constructor"
grep -E ' U _?(atexit|at_quick_exit|_onexit|on_exit|__cxa_atexit|__cxa_thread_atexit)$' <<<"$own" &&
  fail "the program's own code registers an exit handler"
# Nor does its code or the board's put a function in a table run before main,
# whatever the compiler names it (a board's would show in the empty program
# too): no ELF .init_array, .preinit_array or .ctors section, with or without
# a priority, no PE/COFF .ctors, no WebAssembly init function (which LLVM's
# readelf shows). A sanitizer's runtime adds its own.
reader=(objdump -h)
[ "$system" = Windows ] || reader=("${readelf:-readelf}" -SW)
sections=$("${reader[@]}" "${objects[@]}" 2>&1) || fail "${reader[0]} cannot read the program's objects: $sections"
tables=' \.(init_array|preinit_array|ctors)(\.[0-9]+)? |^ *InitFunctions'
if [ "$sanitize" != ON ] && grep -E "$tables" <<<"$sections"; then
  fail "the program's or the board's objects hold functions run before main"
fi

# The project's own cross toolchain searches no header folder of this
# machine's own (the host compiler's folders, as -v lists them, less the
# cross compiler's own builtin ones).
# include_dirs COMPILER...: the folders COMPILER searches for <...>, resolved.
include_dirs() {
  "$@" -xc++ -E -v /dev/null 2>&1 >/dev/null | sed -n '/^#include <...>/,/^End of/s/^ //p' |
    xargs -r realpath -eq | sort -u
}
host=$(command -v c++ || command -v g++)
if [ "$cross" = TRUE ] && [ -n "$host" ] && [ "$("${cxx[@]}" -dumpmachine)" != "$("$host" -dumpmachine)" ]; then
  builtin=$(realpath -eq "$("${cxx[@]}" -print-file-name=include)")
  shared=$(comm -12 <(include_dirs "${cxx[@]}") <(include_dirs "$host") | grep -vxF "${builtin:-/nonexistent}")
  [ -z "$shared" ] || fail "${cxx[0]} searches this machine's own header folders: $(xargs <<<"$shared")"
fi

# Every hardening flag the target's compiler takes for it (as configure asks:
# compiling and linking an empty program, warnings as errors) is in the
# program's compile command. Stack canaries are for Linux alone, where the C
# library provides their guard.
hardening=(-fstack-clash-protection -fcf-protection -mbranch-protection=standard)
[ "$system" = Linux ] && hardening+=(-fstack-protector-strong)
compile=$(grep -hF '/test.cpp' "$build"/compile_commands*.json 2>/dev/null | grep -F '"command"' | head -n 1)
if [ -z "$compile" ]; then
  hardening=()
  echo "compile_commands.json has no command for test.cpp: the hardening flags are not compared"
fi
printf 'int main() { return 0; }\n' >"$tmp/empty.cpp"
for flag in "${hardening[@]}"; do
  if "${cxx[@]}" -Werror "$flag" -o "$tmp/empty" "$tmp/empty.cpp" 2>/dev/null && [[ $compile != *" $flag "* ]]; then
    fail "${cxx[0]} takes $flag for this target, but test.cpp is compiled without it"
  fi
done

# wasm: a WebAssembly module imports from the C runtime's module (WASI's
# system interface) alone, as node's own reader of modules lists them.
wasm() {
  local modules
  need node
  modules=$(node -e 'const m = new WebAssembly.Module(require("fs").readFileSync(process.argv[1]));
    console.log([...new Set(WebAssembly.Module.imports(m).map(i => i.module))].join(" "))' "$binary") ||
    fail "node cannot read the module"
  [ "$modules" = "$libc" ] || fail "imports from ${modules:-nothing}; expected $libc alone"
}

if [ "$(od -An -tx1 -N4 "$binary" | xargs)" = "00 61 73 6d" ]; then
  wasm
  finish
  exit
elif [ "$(head -c 2 "$binary")" = MZ ]; then
  pe
  finish
  exit
fi
# bare_metal: a program linked whole, that no loader reads, has no dynamic
# section; an AVR program comes with the Intel hex image boards are flashed
# from, which must hold its flash contents exactly.
bare_metal() {
  grep -q 'no dynamic section' <<<"$dynamic" || fail "has a dynamic section: $(head -n 3 <<<"$dynamic")"
  [ "$machine" = 83 ] || return 0
  objcopy -I ihex -O binary "${binary%.elf}.hex" "$tmp/hex.bin" ||
    fail "cannot read the Intel hex image ${binary%.elf}.hex"
  objcopy -I elf32-little -O binary -R .eeprom "$binary" "$tmp/elf.bin"
  cmp -s "$tmp/hex.bin" "$tmp/elf.bin" || fail "${binary%.elf}.hex does not hold the program's flash contents"
}

need readelf
header=$(readelf -hW "$binary")
dynamic=$(readelf -dW "$binary")
segments=$(readelf -lW "$binary")

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
  # What the flags say beyond the machine, in readelf's words: arm's and
  # RISC-V's float ABI, MIPS's ISA level; and MIPS's ABI, o32 for ELF32 and
  # n64 (neither an ABI nor the n32 flag) for ELF64.
  if [ "$abi" != - ]; then
    grep -Eq "Flags:.*[ ,]$abi( ABI)?(,|$)" <<<"$header" || fail "not $abi: $(grep Flags <<<"$header")"
  fi
  if [ "$machine" = 8 ]; then
    flags=$(elf_field $((class == 64 ? 48 : 36)) 4 "$endian")
    [ $(((flags >> 12 & 15) * 64 + (flags & 32))) = $((class == 32 ? 64 : 0)) ] ||
      fail "MIPS ABI flags $(printf %#x "$flags") are not those of $([ "$class" = 32 ] && echo o32 || echo n64)"
  fi
fi

# initialisers FILE: the bytes of FILE's tables of functions run before main.
initialisers() {
  local size total=0
  for size in $(readelf -SW "$1" | sed 's/^ *\[ *[0-9]*\] *//' |
    awk '$1 ~ /^\.(preinit_array|init_array|ctors)$/ { print $5 }'); do
    total=$((total + 16#$size))
  done
  echo "$total"
}
[ "$(initialisers "$binary")" -le "$(initialisers "$empty")" ] || [ "$sanitize" = ON ] ||
  fail "runs $(($(initialisers "$binary") - $(initialisers "$empty"))) bytes more of initialisers" \
    "than an empty program: static constructors"

if [ "$system" != Linux ]; then
  bare_metal
  finish
  exit
fi

# A static program has no loader: no interpreter and no library to need, so
# what only a dynamic binary can show (PIE, binding, imports) is not asked.
loaded=true
if ! grep -q 'program interpreter' <<<"$segments"; then
  loaded=false
  echo "statically linked: checked to need no library; position independence and imports do not apply"
  [ -n "$static" ] || fail "statically linked, though the builder did not ask for it (-static)"
  [ -z "$(needed "$binary")" ] || fail "has no interpreter, yet needs $(needed "$binary")"
elif ! grep -Eq 'Type: +DYN' <<<"$header" || ! grep -Eq 'FLAGS_1.*PIE' <<<"$dynamic"; then
  fail "not a position-independent executable"
fi
grep -q GNU_RELRO <<<"$segments" || fail "no RELRO segment"
if $loaded && ! grep -Eq 'BIND_NOW|FLAGS .*NOW' <<<"$dynamic"; then
  fail "not bound at load time (no BIND_NOW): RELRO is partial"
fi
stack=$(grep GNU_STACK <<<"$segments")
if [ -z "$stack" ] || grep -q RWE <<<"$stack"; then fail "stack may be executable: ${stack:-no GNU_STACK header}"; fi

if [ "$sanitize" = ON ] || ! $loaded; then
  [ "$sanitize" = OFF ] || echo "sanitizer build: library, import and constructor checks apply to the plain build only"
  finish
  exit
fi

# The C library alone: what the C++ driver adds (libstdc++, libm, libgcc_s)
# would be further packages to install, and work for the loader.
needed=$(needed "$binary")
if [ "$libc" = - ]; then
  [[ $needed =~ ^libc\.so\.[0-9.]+$ ]] || fail "needs $needed; expected a C library (libc.so.N) alone"
else
  [ "$needed" = "$libc" ] || fail "needs $needed; expected $libc alone"
fi

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
grep -Eq '@(GLIBCXX|CXXABI)' <<<"$own" &&
  fail "imports from the C++ runtime: $(grep -E '@(GLIBCXX|CXXABI)' <<<"$own" | xargs)"

finish
