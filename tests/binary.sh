#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# binary.sh: reads the built program (readelf, objdump, node) and checks what it is, how it is linked and hardened,
# against its row's facts and an empty program built alike (docs/tests.md).
# shellcheck source=lib.sh disable=SC2154 # the build's facts, which lib.sh reads
. "$(dirname "$0")/lib.sh"

# field FILE OFFSET SIZE [ENDIAN]: one unsigned field of FILE's headers, read with od, not the tool under judgement.
field() { od -An -j "$2" -N "$3" -t "u$3" ${4:+--endian=$4} "$1" | tr -d ' '; }

format=elf
case $(od -An -tx1 -N4 "$binary" | xargs) in
"00 61 73 6d") format=webassembly ;;
"4d 5a"*) format=pe ;;
esac

# The program's own objects define no static constructor and register no exit handler: nothing runs around main.
own=$("$nm" "${objects[@]}" 2>&1) || fail "$nm cannot read the program's objects: $own"
if grep -E '_GLOBAL__sub_I_' <<<"$own"; then fail "the program's own code has a static constructor"; fi
if grep -E ' U _?(atexit|at_quick_exit|_onexit|on_exit|__cxa_atexit|__cxa_thread_atexit)$' <<<"$own"; then
  fail "the program's own code registers an exit handler"
fi
# Nor do they or the kind's glue fill a table run before main (ELF, PE/COFF, or WebAssembly's, which LLVM's readelf
# shows), but for a sanitizer's runtime.
reader=("${readelf:-readelf}" -SW)
[ "$format" != pe ] || reader=(objdump -h)
sections=$("${reader[@]}" "${objects[@]}" 2>&1) || fail "${reader[0]} cannot read the program's objects: $sections"
tables=' \.(init_array|preinit_array|ctors)(\.[0-9]+)? |^ *InitFunctions'
if [ "$sanitize" != ON ] && grep -E "$tables" <<<"$sections"; then
  fail "the program's or its glue's objects hold functions run before main"
fi

# The project's own cross toolchain searches no header folder of this machine's own, but for its builtin ones.
# include_dirs COMPILER...: the folders COMPILER searches for <...>, resolved.
include_dirs() {
  "$@" -xc++ -E -v /dev/null 2>&1 >/dev/null | sed -n '/^#include <...>/,/^End of/s/^ //p' |
    xargs -r realpath -eq | sort -u
}
host=$(command -v c++ || command -v g++ || true)
if [ "$cross" = TRUE ] && [ -n "$host" ] && [ "$("${compiler[@]}" -dumpmachine)" != "$("$host" -dumpmachine)" ]; then
  builtin=$(realpath -eq "$("${compiler[@]}" -print-file-name=include)" || true)
  shared=$(comm -12 <(include_dirs "${compiler[@]}") <(include_dirs "$host") |
    grep -vxF "${builtin:-/nonexistent}" || true)
  [ -z "$shared" ] || fail "${compiler[0]} searches this machine's own header folders: $(xargs <<<"$shared")"
fi

# Hardening (docs/tests.md): each flag the compiler takes is on test.cpp's compile command, a linker's in the binary.
printf 'int main() { return 0; }\n' >"$tmp/empty.cpp"
compile=$(grep -hF '/test.cpp' "$build"/compile_commands*.json 2>/dev/null | grep -F '"command"' | head -n 1 || true)
[ -n "$compile" ] || echo "compile_commands.json has no command for test.cpp: the compile flags are not compared"
linked=()
for flag in "${hardening[@]}"; do
  "${compiler[@]}" -Werror "${flag/#LINKER:/-Wl,}" -o "$tmp/empty" "$tmp/empty.cpp" 2>/dev/null || continue
  if [[ $flag == LINKER:* ]]; then
    linked+=("${flag#LINKER:}")
  elif [ -n "$compile" ] && [[ $compile != *" $flag "* ]]; then
    fail "${compiler[0]} takes $flag for this target, but test.cpp is compiled without it"
  fi
done

# webassembly: a module imports from the C runtime's module (its system's system interface) alone, as node lists them.
webassembly() {
  local modules
  need node
  modules=$(node -e 'const m = new WebAssembly.Module(require("fs").readFileSync(process.argv[1]));
    console.log([...new Set(WebAssembly.Module.imports(m).map(i => i.module))].join(" "))' "$binary") ||
    fail "node cannot read the module"
  [ "$modules" = "$needs" ] || fail "imports from ${modules:-nothing}; expected $needs alone"
}

# dlls FILE: the DLLs a PE program imports, one a line.
dlls() { objdump -p "$1" | sed -n 's/^\tDLL Name: //p' | sort; }

# ctor_list FILE: the bytes of a PE program's __CTOR_LIST__ (to __DTOR_LIST__), empty without a symbol table.
ctor_list() {
  local ctors dtors
  read -r ctors dtors < <(nm "$1" |
    awk '$3 == "__CTOR_LIST__" { c = $1 } $3 == "__DTOR_LIST__" { d = $1 } END { print c, d }')
  [ -z "$dtors" ] || echo $((16#$dtors - 16#$ctors))
}

# pe: a PE program for the row's machine, relocatable, with each linker flag's mark, importing system DLLs alone.
pe() {
  local pe kind flags got want=$((0x40 | 0x100)) # ASLR and DEP, whatever the linker was asked
  need objdump
  pe=$(field "$binary" 60 4 little)
  [ "$(field "$binary" "$pe" 4 little)" = $((0x4550)) ] || { fail "not a PE file"; return; }
  case $(field "$binary" $((pe + 24)) 2 little) in 267) kind=32 ;; 523) kind=64 ;; *) kind=unknown ;; esac
  if [ "$class" = - ]; then
    echo "no row in the targets table: the PE format and machine are not checked"
  else
    [ "$kind" = "$class" ] || fail "PE optional header is for $kind-bit (PE32+ is 64), expected $class"
    got=$(field "$binary" $((pe + 4)) 2 little)
    [ "$got" = "$machine" ] || fail "PE machine is $got, expected $machine"
  fi
  [ $(($(field "$binary" $((pe + 22)) 2 little) & 1)) = 0 ] || fail "relocations stripped: the image cannot be moved"
  for flag in "${linked[@]}"; do
    case $flag in
    --dynamicbase) want=$((want | 0x40)) ;;
    --nxcompat) want=$((want | 0x100)) ;;
    --high-entropy-va) [ "$kind" != 64 ] || want=$((want | 0x20)) ;;
    --no-insert-timestamp) [ "$(field "$binary" $((pe + 8)) 4 little)" = 0 ] || fail "the PE header has a time stamp" ;;
    esac
  done
  flags=$((16#$(objdump -p "$binary" | sed -n 's/^DllCharacteristics[[:space:]]*//p')))
  [ $((flags & want)) = "$want" ] || fail "DllCharacteristics $(printf %#x "$flags") lack" \
    "$(printf %#x $((want & ~flags))) (0x20 high-entropy ASLR, 0x40 ASLR, 0x100 DEP)"
  got=$(dlls "$binary" | tr '[:upper:]' '[:lower:]' | xargs)
  [ "$got" = "$(printf '%s\n' kernel32.dll "${needs,,}" | sort | xargs)" ] ||
    fail "imports $(dlls "$binary" | xargs), expected KERNEL32.dll and $needs alone"
  # The C runtime's start-up code is linked in: constructors show in the program's symbols, not its imports.
  [ -n "$(ctor_list "$binary")" ] || { echo "no symbol table: constructors are not checked"; return; }
  [ "$(ctor_list "$binary")" -le "$(ctor_list "$empty")" ] ||
    fail "lists $(($(ctor_list "$binary") - $(ctor_list "$empty"))) bytes more of constructors" \
      "than an empty program: static constructors"
}

# initialisers FILE: the bytes of an ELF FILE's tables of functions run before main.
initialisers() {
  local size total=0
  for size in $(readelf -SW "$1" | sed 's/^ *\[ *[0-9]*\] *//' |
    awk '$1 ~ /^\.(preinit_array|init_array|ctors)$/ { print $5 }'); do
    total=$((total + 16#$size))
  done
  echo "$total"
}

# imports FILE: an ELF FILE's undefined dynamic symbols, name@version (the word after UND), one a line.
imports() { readelf --dyn-syms -W "$1" | sed -n 's/.* UND \([^ ]*\).*/\1/p' | sort -u; }

# images: an Intel hex image among the outputs holds the program's flash contents exactly (all but its EEPROM's).
images() {
  local output
  for output in "${outputs[@]}"; do
    [ "$(head -c 1 "${binary%/*}/$output")" = : ] || continue
    objcopy -I ihex -O binary "${binary%/*}/$output" "$tmp/hex.bin" || fail "cannot read the Intel hex image $output"
    objcopy -I "elf$class-$endian" -O binary -R .eeprom "$binary" "$tmp/elf.bin"
    cmp -s "$tmp/hex.bin" "$tmp/elf.bin" || fail "$output does not hold the program's flash contents"
  done
}

# elf_row: the ELF header's class, byte order, machine and ABI flags are the row's.
elf_row() {
  got=$(($(field "$binary" 4 1) * 32))
  [ "$got" = "$class" ] || fail "ELF class is $got-bit, expected $class"
  case $(field "$binary" 5 1) in 1) got=little ;; 2) got=big ;; *) got=unknown ;; esac
  [ "$got" = "$endian" ] || fail "ELF data encoding is $got, expected $endian"
  got=$(field "$binary" 18 2 "$endian")
  [ "$got" = "$machine" ] || fail "ELF e_machine is $got, expected $machine"
  # What the flags say beyond the machine, in readelf's words.
  [ "$abi" = - ] || grep -Eq "Flags:.*[ ,]$abi( ABI)?(,|$)" <<<"$header" || fail "not $abi: $(grep Flags <<<"$header")"
}

# elf_linked: linked whole (no interpreter, no library) or a position-independent executable, as the row says;
# sets loaded=false for the former.
elf_linked() {
  if ! grep -q 'program interpreter' <<<"$segments"; then
    loaded=false
    echo "linked whole: checked to need no library; position independence and imports do not apply"
    [ "$needs" = - ] || fail "linked whole, though its row and build make it need ${needs:-a C library}"
    [ -z "$needed" ] || fail "has no interpreter, yet needs $needed"
    # A static PIE relocates itself, from a dynamic section of its own.
    if grep -Eq 'Type: +EXEC' <<<"$header" && ! grep -q 'no dynamic section' <<<"$dynamic"; then
      fail "has a dynamic section: $(head -n 3 <<<"$dynamic")"
    fi
    [ "$libc" = glibc ] || ! grep -qa 'GLIBC_' "$binary" || fail "holds glibc's version strings, not $libc's"
  elif [ "$needs" = - ]; then
    fail "has an interpreter, though its target's programs are linked whole"
  elif ! grep -Eq 'Type: +DYN' <<<"$header" || ! grep -Eq 'FLAGS_1.*PIE' <<<"$dynamic"; then
    fail "not a position-independent executable"
  fi
}

# elf_hardened: what the linker was asked, and for a program the loader places full RELRO and a stack it cannot run.
elf_hardened() {
  ! $loaded || linked+=('-z,relro' '-z,now' '-z,noexecstack')
  for flag in "${linked[@]}"; do
    case $flag in
    -z,relro) grep -q GNU_RELRO <<<"$segments" || fail "no RELRO segment" ;;
    -z,now) ! $loaded || grep -Eq 'BIND_NOW|FLAGS .*NOW' <<<"$dynamic" || fail "not bound at load time (no BIND_NOW)" ;;
    -z,noexecstack)
      stack=$(grep GNU_STACK <<<"$segments" || true)
      if [ -z "$stack" ] || grep -q RWE <<<"$stack"; then fail "stack may be executable: ${stack:-no GNU_STACK}"; fi ;;
    esac
  done
}

# elf_imports: the C library alone, and of it printf for output and no exit handler; what the C++ driver adds
# (libstdc++, libm, libgcc_s) is more to install and to load.
elf_imports() {
  if [ -z "$needs" ]; then
    [[ $needed =~ ^libc\.so\.[0-9.]+$ ]] || fail "needs $needed; expected a C library (libc.so.N) alone"
  else
    [ "$needed" = "$needs" ] || fail "needs $needed; expected $needs alone"
  fi
  own=$(comm -23 <(imports "$binary") <(imports "$empty"))
  output=$(grep -E '^(__)?([a-z]*printf|puts|fputs|fwrite|write)(_chk)?(@|$)' <<<"$own" | sed 's/@.*//' | xargs) || true
  [[ $output == printf || $output == __printf_chk ]] ||
    fail "output imports are: ${output:-none}; expected printf alone"
  if grep -Ex '(__cxa_atexit|atexit|at_quick_exit|on_exit)(@.*)?' <<<"$own"; then
    fail "imports a function that registers an exit handler"
  fi
  if grep -E '@(GLIBCXX|CXXABI)' <<<"$own"; then fail "imports from the C++ runtime"; fi
}

# elf: an ELF program for its row, linked as it says, hardened, no more initialisers or imports than it needs.
elf() {
  local header dynamic segments loaded=true needed got flag stack own output # its parts' too
  need readelf
  header=$(readelf -hW "$binary") dynamic=$(readelf -dW "$binary") segments=$(readelf -lW "$binary")
  if [ "$class" = - ]; then
    echo "no row in the targets table: the ELF class, encoding and machine are not checked"
  else
    elf_row
  fi
  [ "$(initialisers "$binary")" -le "$(initialisers "$empty")" ] || [ "$sanitize" = ON ] ||
    fail "runs $(($(initialisers "$binary") - $(initialisers "$empty"))) bytes more of initialisers" \
      "than an empty program: static constructors"
  images
  needed=$(needed "$binary")
  elf_linked
  elf_hardened
  if [ "$sanitize" = ON ] || ! $loaded; then
    [ "$sanitize" = OFF ] || echo "sanitizer build: library, import and constructor checks are the plain build's"
    return
  fi
  elf_imports
}

"$format"
finish
