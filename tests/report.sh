#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# report.sh GROUP  runs the program as a user or a script would, with real
# redirections, and checks the exact bytes it writes, its standard error and
# its exit status; or skips, saying why, where it cannot run here. The build
# (the sizes its toolchain gives, its system, how it runs here) is read from
# its facts (tests/lib.sh).
#   GROUP  output: the report and what must not change it
#          failures: where the report cannot be written
#          memcheck: the report under valgrind's memcheck
#          browser: the report on the build's page (typesizes.html, beside
#          the program) in headless Chromium, and the page with its output
#          closed
# shellcheck source=lib.sh
. "$(dirname "$0")/lib.sh"
group=$1
runs_here
set -- "${run[@]}" "$binary"

# Windows' C library writes text-mode line ends, CR LF.
eol='\n'
[ "$system" = Windows ] && eol='\r\n'
printf "time_t=%s${eol}int=%s${eol}short=%s${eol}" "$time_t" "$int" "$short" >"$tmp/expected"

# expect CASE STATUS WANTED_STATUS [WANTED_OUTPUT_FILE]: judges one run, whose
# standard output went to $tmp/out and standard error to $tmp/err.
expect() {
  [ "$2" -eq "$3" ] || fail "$1: exit status $2, expected $3"
  if [ -s "$tmp/err" ]; then fail "$1: wrote to standard error: $(head -c 300 "$tmp/err")"; fi
  if [ $# -eq 4 ] && ! cmp -s "$tmp/out" "$4"; then
    fail "$1: output differs from the expected bytes:"
    od -c "$tmp/out" | head -n 5
  fi
}

# applies CASE REASON: true, unless REASON says why CASE cannot apply to this
# target, which is then named in the output.
applies() { [ -z "$2" ] || { echo "$1: not applicable: $2"; return 1; }; }

# page QUERY LINES STATUS: opens the build's page (typesizes.html, beside the
# program) with QUERY after its address in headless Chromium, which must show
# LINES (| ends each) and the exit status STATUS. A fresh profile each time,
# in the test's own temporary folder, as are Chromium's home and files. A page
# still "running" when Chromium dumps it (the module compiles in real time,
# which a loaded machine stretches) is opened again with a longer budget.
page() {
  local url=${binary%/*}/typesizes.html budget
  url=${url//%/%25} url=${url//#/%23} url=${url//\?/%3F} # a path's own characters, not a URL's
  for budget in 5000 30000 120000; do
    chromium --headless --no-sandbox --disable-gpu --disable-background-networking --disable-component-update \
      --disable-sync --no-first-run --user-data-dir="$(mktemp -d -p "$tmp")" --virtual-time-budget="$budget" \
      --dump-dom "file://$url$1" >"$tmp/dom" 2>"$tmp/err" ||
      fail "chromium: $(tail -n 3 "$tmp/err")"
    dom=$(tr '\n' '|' <"$tmp/dom")
    shown=${dom#*<pre id=\"output\">} shown=${shown%%</pre>*}
    status=${dom#*<p id=\"status\">} status=${status%%</p>*}
    [ "$status" = running ] || break
  done
  [ "$shown" = "$2" ] || fail "the page${1:+ ($1)} shows '${shown:0:300}' (| ends a line), expected '$2'"
  [ "$status" = "exit status $3" ] || fail "the page${1:+ ($1)} shows '${status:0:100}', expected exit status $3"
}

case $group in
output)
  status=0; "$@" >"$tmp/out" 2>"$tmp/err" || status=$?
  expect "to a file" "$status" 0 "$tmp/expected"

  "$@" 2>"$tmp/err" | cat >"$tmp/out"
  expect "through a pipe" "${PIPESTATUS[0]}" 0 "$tmp/expected"

  # Bare metal has no environment, and an AVR's main is given no arguments:
  # those runs could show nothing there.
  no_args='' no_env=''
  [ "$system" != Generic ] || no_env="bare metal has no environment"
  [ "$machine" != 83 ] || no_args="an AVR's main is given no arguments"
  if applies "with arguments" "$no_args"; then
    status=0; "$@" --help -v '' 'two words' >"$tmp/out" 2>"$tmp/err" || status=$?
    expect "with arguments" "$status" 0 "$tmp/expected"
  fi
  if applies "with an empty environment" "$no_env"; then
    status=0; env -i "$@" >"$tmp/out" 2>"$tmp/err" || status=$?
    expect "with an empty environment" "$status" 0 "$tmp/expected"
  fi

  status=0; "$@" <&- >"$tmp/out" 2>"$tmp/err" || status=$?
  expect "with standard input closed" "$status" 0 "$tmp/expected"
  ;;
failures)
  # A preloaded library (libfaketime, say) may open a file of its own on the
  # closed descriptor 1, which the program would then write to: these runs get
  # an environment without one.
  if [ -s /etc/ld.so.preload ]; then skip "/etc/ld.so.preload loads libraries into every program"; fi
  set -- env -u LD_PRELOAD "$@"
  # Output is buffered, so these failures only show when it is flushed.
  status=0; "$@" >&- 2>"$tmp/err" || status=$?
  expect "standard output closed" "$status" 1

  status=0; "$@" >/dev/full 2>"$tmp/err" || status=$?
  expect "standard output on a full device" "$status" 1

  status=0; "$@" 1<"$tmp/expected" 2>"$tmp/err" || status=$?
  expect "standard output open for reading only" "$status" 1

  # A reader that has already gone: on Linux the write raises SIGPIPE, whose
  # default action ends the process (status 128+13 in the shell), without a
  # message. Other systems have no such signal: the write fails, as on a full
  # device.
  exec 3> >(:)
  wait $!
  status=0; "$@" >&3 2>"$tmp/err" || status=$?
  exec 3>&-
  if [ "$system" = Linux ]; then expect "reader gone" "$status" 141; else expect "reader gone" "$status" 1; fi
  ;;
memcheck)
  need valgrind
  # valgrind's own messages go to a file of their own (named by descriptor, as
  # --log-file would expand a % in the path); its verdict is its exit status.
  memcheck=(valgrind -q --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=all --log-fd=3)
  # valgrind may be unable to start or check any program of this build (an
  # i386 one without libc6-dbg:i386, a static one): then it has nothing to say
  # of this one.
  if ! "${memcheck[@]}" "$empty" >/dev/null 3>"$tmp/valgrind" 2>&3; then
    skip "valgrind cannot check this build's programs: $(grep -m1 -v '^==[0-9]*== *$' "$tmp/valgrind")"
  fi
  status=0
  "${memcheck[@]}" "$@" >"$tmp/out" 2>"$tmp/err" 3>"$tmp/valgrind" || status=$?
  [ "$status" -ne 99 ] || cat "$tmp/valgrind"
  expect "under memcheck" "$status" 0 "$tmp/expected"
  ;;
browser)
  need chromium
  page "" "time_t=$time_t|int=$int|short=$short|" 0
  # With its output closed, the program's write fails.
  page "?closed" "" 1
  ;;
*)
  fail "unknown group $group"
  ;;
esac
finish
