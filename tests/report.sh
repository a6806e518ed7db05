#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT

# report.sh output|failures|run|memcheck|browser: runs the program through typesizes-run as a user would, and checks
# its bytes, standard error and exit status; or skips, saying why, where it cannot run here (docs/tests.md).
# shellcheck source=lib.sh disable=SC2154 # the build's facts, which lib.sh reads
. "$(dirname "$0")/lib.sh"
runner=${binary%/*}/typesizes-run

ending='\n'
[ "$eol" != CRLF ] || ending='\r\n'
printf "time_t=%s${ending}int=%s${ending}short=%s${ending}" "$time_t" "$int" "$short" >"$tmp/expected"

# expect CASE STATUS WANTED_STATUS [WANTED_OUTPUT_FILE]: judges one run, its output in $tmp/out, its errors in $tmp/err.
expect() {
  [ "$2" -eq "$3" ] || fail "$1: exit status $2, expected $3"
  if [ -s "$tmp/err" ]; then fail "$1: wrote to standard error: $(head -c 300 "$tmp/err")"; fi
  if [ $# -eq 4 ] && ! cmp -s "$tmp/out" "$4"; then
    fail "$1: output differs from the expected bytes:"
    od -c "$tmp/out" | sed -n 1,5p
  fi
}

# applies CASE REASON: true, unless REASON says why CASE cannot apply to this target, which is then named.
applies() { [ -z "$2" ] || { echo "$1: not applicable: $2"; return 1; }; }

# page QUERY LINES STATUS: the build's page with QUERY must show LINES (| ends each) and STATUS; reopened while running.
page() {
  local url=${binary%/*}/$page budget
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

case $1 in
output)
  runs_here
  status=0; "$runner" >"$tmp/out" 2>"$tmp/err" || status=$?
  expect "to a file" "$status" 0 "$tmp/expected"

  status=0; "$runner" 2>"$tmp/err" | cat >"$tmp/out" || status=${PIPESTATUS[0]}
  expect "through a pipe" "$status" 0 "$tmp/expected"

  if applies "with arguments" "$no_args"; then
    status=0; "$runner" --help -v '' 'two words' >"$tmp/out" 2>"$tmp/err" || status=$?
    expect "with arguments" "$status" 0 "$tmp/expected"
  fi
  if applies "with an empty environment" "$no_env"; then
    status=0; env -i "$runner" >"$tmp/out" 2>"$tmp/err" || status=$?
    expect "with an empty environment" "$status" 0 "$tmp/expected"
  fi

  status=0; "$runner" <&- >"$tmp/out" 2>"$tmp/err" || status=$?
  expect "with standard input closed" "$status" 0 "$tmp/expected"
  ;;
failures)
  runs_here
  # A preloaded library may open a file of its own on the closed descriptor 1 (docs/tests.md).
  if [ -s /etc/ld.so.preload ]; then skip "/etc/ld.so.preload loads libraries into every program"; fi
  set -- env -u LD_PRELOAD "$runner"
  status=0; "$@" >&- 2>"$tmp/err" || status=$?
  expect "standard output closed" "$status" 1

  status=0; "$@" >/dev/full 2>"$tmp/err" || status=$?
  expect "standard output on a full device" "$status" 1

  status=0; "$@" 1<"$tmp/expected" 2>"$tmp/err" || status=$?
  expect "standard output open for reading only" "$status" 1

  # A reader already gone: SIGPIPE (status 128+13) where the target has it, elsewhere a failed write.
  exec 3> >(:)
  wait $!
  status=0; "$@" >&3 2>"$tmp/err" || status=$?
  exec 3>&-
  if [ -n "$gone" ]; then
    expect "reader gone" "$status" "$gone"
  elif [ "$status" -eq 0 ]; then
    fail "reader gone: exit status 0"
  fi
  ;;
run)
  # A copy of typesizes-run runs the arguments program put beside it under the program's name: it prints what it got.
  mkdir "$tmp/copy"
  cp "$runner" "$tmp/copy/" && cp "$args" "$tmp/copy/${binary##*/}"
  set -- --help -v x a,b
  [ -n "$split_args" ] || set -- "$@" 'two words' '' # where a kind's command line is not words split at blanks
  applies "arguments passed on" "$no_args" || set --
  status=0; "$tmp/copy/typesizes-run" "$@" >"$tmp/out" 2>"$tmp/err" || status=$?
  if [ -n "$not_run" ]; then
    if [ "$status" != 77 ] || [ -s "$tmp/out" ]; then fail "not run here: status $status, expected 77 and no output"; fi
    [ "$(cat "$tmp/err")" = "typesizes-run: built, not run here: $not_run" ] ||
      fail "not run here, typesizes-run says '$(head -c 300 "$tmp/err")'"
    # Its evidence holds (docs/targets.md): dpkg says the runner's package is not installed, or the bare runner
    # the reason names starts, yet runs the plain program (static under a runner) without a word of its own.
    bare=("${not_run_bare[@]:3}") # after env HOME=… TMPDIR=…
    if [ -n "$not_run_package" ]; then
      [ "$(dpkg-query -W -f='${Status}' "$not_run_package" 2>&1)" != "install ok installed" ] ||
        fail "said not installed, but dpkg says $not_run_package is installed"
    elif [ ${#not_run_bare[@]} -eq 0 ]; then
      [ "$preset" = - ] || fail "said not run here without evidence"
    else
      got=0 && out=$(timeout 20 "${not_run_bare[@]}" "$build/typesizes-plain" 2>&1) || got=$?
      ! grep -q '^ran ' <<<"$out" || fail "said not run here, yet ${bare[*]:-this machine} runs a plain program"
      [ "$got" != 127 ] || fail "the bare runner ${bare[*]} cannot be started: $out"
      [[ $not_run == "'${bare[*]}' "* || ${#bare[@]}$not_run == "0this machine "* ]] ||
        fail "the reason names another runner than ${bare[*]:-this machine}"
      [ ${#bare[@]} -eq 0 ] || ! grep -q INTERP <<<"$(readelf -lW "$build/typesizes-plain" 2>&1)" ||
        fail "the plain program run under ${bare[*]} is not static"
    fi
    [ "$failures" -eq 0 ] || finish
    runs_here
  fi
  { [ $# -eq 0 ] || printf '%s\n' "$@"; } >"$tmp/expected"
  sed -i 's/\r//g' "$tmp/out"
  expect "typesizes-run $*" "$status" 0 "$tmp/expected"
  ;;
memcheck)
  need valgrind
  # valgrind's messages go to descriptor 3 (--log-file would expand a % in the path); its verdict is its exit status.
  memcheck=(valgrind -q --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=all --log-fd=3)
  # Where valgrind cannot check an empty program of this build (docs/tests.md), it has nothing to say of this one.
  "${memcheck[@]}" "$empty" >/dev/null 3>"$tmp/valgrind" 2>&3 ||
    skip "valgrind cannot check this build's programs: $(grep -m1 -v '^==[0-9]*== *$' "$tmp/valgrind")"
  status=0
  "${memcheck[@]}" "$binary" >"$tmp/out" 2>"$tmp/err" 3>"$tmp/valgrind" || status=$?
  [ "$status" -ne 99 ] || cat "$tmp/valgrind"
  expect "under memcheck" "$status" 0 "$tmp/expected"
  ;;
browser)
  runs_here
  need chromium
  page "" "time_t=$time_t|int=$int|short=$short|" 0
  # With its output closed, the program's write fails.
  page "?closed" "" 1
  ;;
*)
  fail "unknown group $1"
  ;;
esac
finish
