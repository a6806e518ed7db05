#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# tools.sh presets|targets|ci|scripts|reproducible|subproject|builder: checks the maintainers' tools, CI's steps and
# what the build promises a builder, writing in the build folder alone (docs/tests.md).
# shellcheck source=lib.sh disable=SC2154 # the build's facts, which lib.sh reads
. "$(dirname "$0")/lib.sh"
stubs=$tmp/stubs
mkdir -p "$stubs"

# stub NAME SCRIPT: a command NAME, found first on PATH, that runs SCRIPT.
stub() { printf '#!/bin/sh\n%s\n' "$2" >"$stubs/$1" && chmod +x "$stubs/$1"; }

# cells LINE: a Markdown table row's cells, a line each, without the blanks around them.
cells() { sed 's/^ *| *//; s/ *| *$//; s/ *| */\n/g' <<<"$1"; }

# copy: the source tree without build folders or version control, in $tmp/src.
copy() {
  mkdir -p "$tmp/src"
  tar -C "$source" --exclude-vcs --exclude=./build --exclude-tag-all=CMakeCache.txt -cf - . | tar -C "$tmp/src" -xf -
}

# configure FOLDER ARG...: a plain configure of $tmp/src, its output in FOLDER.log.
configure() { PATH=$stubs:$PATH cmake -S "$tmp/src" -B "$1" "${@:2}" >"$1.log" 2>&1; }

case $1 in
presets)
  mkdir "$tmp/copy"
  cp "$source/CMakePresets.json" "$source/README.md" "$tmp/copy/"
  bash "$source/tools/presets.sh" --check "$tmp/copy" >"$tmp/out" 2>&1 || fail "stale: $(tail -n 5 "$tmp/out")"
  sed -i '0,/"displayName": "This machine/s//"displayName": "That machine/' "$tmp/copy/CMakePresets.json"
  ! bash "$source/tools/presets.sh" --check "$tmp/copy" >"$tmp/out" 2>&1 ||
    fail "--check passes a stale CMakePresets.json"
  cp "$source/CMakePresets.json" "$tmp/copy/"
  sed -i '/<!-- targets: begin/,/<!-- targets: end/s/^| [0-9]/| 0/' "$tmp/copy/README.md"
  ! bash "$source/tools/presets.sh" --check "$tmp/copy" >"$tmp/out" 2>&1 || fail "--check passes a stale README.md"
  copy && cp "$tmp/copy/README.md" "$tmp/src/" # the writer makes a stale file current
  if ! bash "$tmp/src/tools/presets.sh" || ! bash "$tmp/src/tools/presets.sh" --check "$tmp/src" >"$tmp/out" 2>&1; then
    fail "tools/presets.sh leaves README.md stale: $(tail -n 5 "$tmp/out")"
  fi
  ! bash "$tmp/src/tools/presets.sh" --chek "$tmp/copy" 2>/dev/null || fail "tools/presets.sh takes a misspelt option"
  ;;
targets)
  # This build's row, and that of a build whose typesizes-run writes CR LF.
  mkdir -p "$tmp/crlf/tests"
  cp "$TYPESIZES_FACTS" "$tmp/crlf/tests/"
  printf '#!/bin/sh\nprintf "time_t=%s\\r\\nint=%s\\r\\nshort=%s\\r\\n"\n' "$time_t" "$int" "$short" |
    install -m755 /dev/stdin "$tmp/crlf/typesizes-run"
  declare -A want=([preset]="\`$preset\`" ['Debian arch']=$deb [triplet]=$triplet ['`time_t`']=$time_t
    ['`int`']=$int ['`short`']=$short [suite]=passed)
  for folder in "$build" "$tmp/crlf"; do
    bash "$source/tools/targets.sh" --row "$folder" passed >"$tmp/rows" || fail "--row $folder failed"
    [ "$(grep -c $'\r' "$tmp/rows")" = 0 ] || fail "the row of $folder holds a CR"
    paste <(cells "$(head -n1 "$tmp/rows")") <(cells "$(tail -n1 "$tmp/rows")") >"$tmp/pairs"
    while IFS=$'\t' read -r column cell; do
      [ "$cell" = "${want[$column]-unknown column}" ] ||
        fail "$folder: $column is '$cell', expected '${want[$column]-}'"
    done <"$tmp/pairs"
    [ "$(wc -l <"$tmp/pairs")" = "${#want[@]}" ] || fail "$folder: $(wc -l <"$tmp/pairs") columns, not ${#want[@]}"
  done
  # A build not run here, whose workflow failed, in a copy of the tree: its row says both, and --one fails.
  copy && mkdir -p "$tmp/src/build/stub/tests" && cp "$TYPESIZES_FACTS" "$tmp/src/build/stub/tests/"
  printf '#!/bin/sh\necho "typesizes-run: built, not run here: why" >&2\nexit 77\n' |
    install -m755 /dev/stdin "$tmp/src/build/stub/typesizes-run"
  stub cmake 'exit 1'
  ! PATH=$stubs:$PATH bash "$tmp/src/tools/targets.sh" --one stub 2>/dev/null || fail "--one passes a failed workflow"
  grep -q "| $time_t | $int | $short | FAILED; built, not run here: why (sizes: " "$tmp/src/build/targets/stub.row" ||
    fail "--one's row of a failed build not run here: $(cat "$tmp/src/build/targets/stub.row")"
  # A folder with no build, or an unknown option, stops it with a message, printing and building nothing.
  for bad in --row --all; do
    ! PATH=$stubs:$PATH bash "$tmp/src/tools/targets.sh" "$bad" "$tmp/none" passed >"$tmp/out" 2>"$tmp/err" ||
      fail "targets.sh $bad goes on"
    if [ -s "$tmp/out" ] || [ ! -s "$tmp/err" ]; then fail "targets.sh $bad: '$(head -n 3 "$tmp/out")', no message"; fi
  done
  ;;
ci)
  # .ci/run's build step, with stand-ins for cmake (which finds ROW) and ctest (two report tests passed, status STATUS).
  stub cmake '[ "$1" != -S ] || { mkdir -p "$4/tests" && echo "preset='\''$ROW'\''" >"$4/tests/facts-Release.sh"; }'
  stub ctest 'for t in $PASSED; do echo "  Test #1: report.$t ....   Passed   0.1 sec"; done; exit $STATUS'
  for case in "asked 0 0 output,failures" "asked 8 1 output,failures" "another 0 1 output,failures" "asked 0 1 output"
  do
    read -r row status want passed <<<"$case"
    got=0
    PATH=$stubs:$PATH ROW=$row STATUS=$status PASSED=${passed/,/ } bash "$source/.ci/run" build "$tmp/build" asked \
      >"$tmp/out" 2>&1 || got=1
    [ "$got" = "$want" ] || fail "the build step's status is $got for row $row, ctest's status $status, $passed passed"
  done
  # Its fixtures: a g++ with no Debian names; piuparts' check of an installed typesizes, as .ci/run fills it in.
  [ "$("$source/.ci/foreign/g++" -dumpmachine)$("$source/.ci/foreign/g++" -print-multiarch)" = x86_64-redhat-linux ] ||
    fail ".ci/foreign/g++ tells Debian's names"
  sed "s/@time_t@/$time_t/; s/@int@/$int/; s/@short@/$short/" "$source/.ci/piuparts/post_install_typesizes" |
    install -m755 /dev/stdin "$tmp/check"
  for sizes in "$time_t $int $short 0" "$time_t $int 9 1"; do
    read -r t i s want <<<"$sizes"
    stub typesizes "printf 'time_t=$t\nint=$i\nshort=$s\n'"
    got=0 && PATH=$stubs:$PATH "$tmp/check" >/dev/null 2>&1 || got=1
    [ "$got" = "$want" ] || fail "piuparts' check exits $got for short=$s"
  done
  ;;
scripts)
  # A script is bash and sets -euo pipefail, or sources lib.sh, which does.
  while read -r script; do
    [ "$(head -n 1 "$script")" = '#!/usr/bin/env bash' ] || fail "$script is not run by bash"
    grep -Eq '^set -euo pipefail|^\. "\$\(dirname "\$0"\)/lib\.sh"' "$script" ||
      fail "$script does not set -euo pipefail"
  done < <(grep -rlE --exclude-dir=build --exclude-dir=.git '^#!.*[/ ](ba|da)?sh$' "$source")
  ;;
reproducible)
  for status in 'deinstall ok config-files' 'install ok installed'; do
    stub dpkg-query "echo '$status'"
    got=0
    PATH=$stubs:$PATH TYPESIZES_REQUIRE_CHECKERS=1 bash "$source/.ci/run" reproducible --plan \
      >"$tmp/out" 2>"$tmp/err" || got=$?
    left=$(grep -c 'left out, as its packages are missing: apt-get install [a-z]' "$tmp/err" || true)
    if [[ $status == install* ]]; then
      [ "$got$left" = 00 ] || fail "with every package installed: status $got, $left left out: $(cat "$tmp/err")"
      ! grep -q -- "--preset $preset " "$tmp/out" || fail "the plan builds $preset twice: $(cat "$tmp/out")"
    elif [ "$got" = 0 ] || [ "$left" = 0 ]; then
      fail "with every package missing: status $got, $left named as left out"
    fi
  done
  ;;
subproject)
  mkdir -p "$tmp/parent"
  printf '%s\n' 'cmake_minimum_required(VERSION ${CMAKE_VERSION})' 'project(parent LANGUAGES CXX)' \
    'enable_testing()' "add_subdirectory(\"$source\" typesizes)" >"$tmp/parent/CMakeLists.txt"
  cmake -S "$tmp/parent" -B "$tmp/parent/build" >"$tmp/log" 2>&1 ||
    { cat "$tmp/log"; fail "the parent does not configure"; }
  [ "$(ctest --test-dir "$tmp/parent/build" -N | grep -c 'Test *#' || true)" = 0 ] || fail "tests registered unasked"
  if ! cmake -DTYPESIZES_TESTS=ON "$tmp/parent/build" >"$tmp/log" 2>&1 ||
    ! cmake --build "$tmp/parent/build" --config Release >>"$tmp/log" 2>&1; then
    cat "$tmp/log" && fail "the parent does not build with TYPESIZES_TESTS=ON"
  fi
  ctest --test-dir "$tmp/parent/build" -C Release -L report >"$tmp/log" 2>&1 ||
    { cat "$tmp/log"; fail "the report tests fail"; }
  [ "$(grep -Ec 'report\.(output|failures) \.+ +Passed' "$tmp/log")" = 2 ] ||
    fail "the report tests did not run: $(cat "$tmp/log")"
  ;;
builder)
  unset CMAKE_GENERATOR CMAKE_BUILD_TYPE CXXFLAGS LDFLAGS # plain builds, whatever the caller's environment
  copy
  printf '%s\n' '# Notes' '' '## 9.9.9 (2026-01-02)' '' "- a [b; c\\" '  d' >"$tmp/src/NEWS.md"
  stub date 'echo "date run" >>"$0.log"; exit 127'
  stub gzip 'echo "gzip run" >>"$0.log"; exit 127'
  if ! configure "$tmp/plain" || ! PATH=$stubs:$PATH cmake --build "$tmp/plain" >>"$tmp/plain.log" 2>&1; then
    fail "a plain build fails with date and gzip hidden: $(tail -n 5 "$tmp/plain.log")"
  fi
  if [ -e "$stubs/date.log" ] || [ -e "$stubs/gzip.log" ]; then fail "configure or build ran date or gzip"; fi
  grep -q -- '-O[123s] ' "$tmp/plain/compile_commands.json" || fail "a plain build is not optimised"
  [ "$(sed -n 's/^  \(\* \|  \)//p' "$tmp/plain/package-docs/changelog")" = $'a [b; c\\\nd' ] ||
    fail "NEWS.md's note lines 'a [b; c\\' and 'd' are not the changelog's: $(cat "$tmp/plain/package-docs/changelog")"
  cmake --install "$tmp/plain" --prefix "$tmp/prefix" --strip >"$tmp/install.log" 2>&1 || fail "cmake --install fails"
  got=$(cd "$tmp/prefix" && find . -type f | sort | tr '\n' ' ')
  [ "$got" = "./bin/typesizes ./share/man/man1/typesizes.1 " ] || fail "cmake --install puts $got"
  ! grep -q '\.symtab' <<<"$(readelf -SW "$tmp/prefix/bin/typesizes")" || fail "cmake --install --strip does not strip"
  # A checker not on PATH makes its test skip, naming its package; a failure where checkers are required.
  for command in bash dirname mkdir mktemp rm; do ln -s "$(command -v "$command")" "$stubs/"; done
  for required in 0 1; do
    got=0
    PATH=$stubs TYPESIZES_REQUIRE_CHECKERS=$required bash "$source/tests/checker.sh" shellcheck >"$tmp/out" 2>&1 ||
      got=$?
    if [ "$got" != "$((required ? 1 : 77))" ] || ! grep -q 'package shellcheck' "$tmp/out"; then
      fail "a missing checker, TYPESIZES_REQUIRE_CHECKERS=$required: status $got, $(cat "$tmp/out")"
    fi
  done
  configure "$tmp/none" -DCMAKE_BUILD_TYPE=None || fail "a build of type None does not configure"
  ! grep -q -- '-O[123s] ' "$tmp/none/compile_commands.json" || fail "a build of type None is optimised"
  # A program that needs more than the C library is not packed.
  if ! configure "$tmp/libm" -DCMAKE_CXX_STANDARD_LIBRARIES="-Wl,--no-as-needed -lm" ||
    ! cmake --build "$tmp/libm" >>"$tmp/libm.log" 2>&1; then
    fail "a build that needs libm does not build"
  fi
  if (cd "$tmp/libm" && cpack -G DEB -B "$tmp/pack") >"$tmp/out" 2>&1 || ! says "$tmp/out" needs; then
    fail "cpack packs a program that needs more than the C library: $(tail -n 3 "$tmp/out")"
  fi
  sed -i 's/2026-01-02/2026-02-30/' "$tmp/src/NEWS.md"
  if configure "$tmp/plain" || ! says "$tmp/plain.log" "'2026-02-30' is not a YYYY-MM-DD date"; then
    fail "a release dated 2026-02-30 does not stop configure: $(tail -n 5 "$tmp/plain.log")"
  fi
  # A row with a field too many stops configure and the tools, naming it.
  sed -i 's/2026-02-30/2026-01-02/' "$tmp/src/NEWS.md"
  sed -i 's/^default .*/& extra/' "$tmp/src/cmake/targets.txt"
  if configure "$tmp/plain" || ! says "$tmp/plain.log" "row 'default'"; then fail "configure takes a bad row"; fi
  if bash "$tmp/src/tools/presets.sh" >"$tmp/out" 2>&1 || ! says "$tmp/out" "row 'default'"; then
    fail "tools/presets.sh takes a bad row: $(tail -n 3 "$tmp/out")"
  fi
  ;;
*)
  fail "unknown group $1"
  ;;
esac
finish
