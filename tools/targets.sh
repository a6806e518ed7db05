#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The typesizes authors
# SPDX-License-Identifier: MIT
#
# targets.sh: runs the workflow (configure, build, whole suite) of every target
# preset whose cross compiler and emulator are installed, then prints one
# Markdown table: what each target's program printed when run, and whether its
# suite passed. Targets whose tools are missing are listed below the table with
# the packages to install. Progress goes to standard error and the table alone
# to standard output; exit status 0 only when every target that ran passed.
set -uo pipefail
cd "$(dirname "$0")/.." || exit
logs=build/targets
mkdir -p "$logs"

# missing_packages TRIPLET EMULATOR: the Debian packages this target still needs.
missing_packages() {
  local packages=()
  command -v "$1-g++" >/dev/null || packages+=("g++-$1")
  command -v "$2" >/dev/null || packages+=(qemu-user)
  echo "${packages[*]}"
}

# size TYPE: the value of one line of the report in $report.
size() { sed -n "s/^$1=//p" <<<"$report"; }

# run_target PRESET DEB TRIPLET EMULATOR: runs the preset's workflow, logged in
# $logs/PRESET.log, and prints the target's row of the table.
run_target() {
  local preset=$1 deb=$2 triplet=$3 emulator=$4 suite=passed start=$SECONDS report dates=no
  local run=("build/$preset/typesizes")
  [ "$emulator" = - ] || run=("$emulator" -L "/usr/$triplet" "${run[@]}")
  printf '%s: ' "$preset" >&2
  cmake --workflow --preset "$preset" >"$logs/$preset.log" 2>&1 || suite=FAILED
  report=$("${run[@]}" 2>&1) || suite=FAILED
  [ "$(size time_t)" = 8 ] && dates=yes
  printf '%s in %d s (log: %s)\n' "$suite" $((SECONDS - start)) "$logs/$preset.log" >&2
  printf "| \`%s\` | %s | %s | %s | %s | %s | %s | %s |\n" "$preset" "$deb" "$triplet" \
    "$(size time_t)" "$(size int)" "$(size short)" "$dates" "$suite"
}

rows=()
skipped=()
while read -r preset deb _ triplet emulator _; do
  lacking=''
  [ "$preset" = default ] || lacking=$(missing_packages "$triplet" "$emulator")
  if [ -n "$lacking" ]; then
    skipped+=("- \`$preset\`: apt-get install $lacking")
    echo "$preset: not run, missing $lacking" >&2
  else
    rows+=("$(run_target "$preset" "$deb" "$triplet" "$emulator")")
  fi
done < <(grep -v '^#' cmake/targets.txt)

echo "| preset | Debian arch | triplet | \`time_t\` | \`int\` | \`short\` | dates past 2038 | suite |"
echo '|---|---|---|---|---|---|---|---|'
printf '%s\n' "${rows[@]}"
if [ ${#skipped[@]} -gt 0 ]; then
  printf '\nNot run, for want of their cross compiler or emulator:\n\n'
  printf '%s\n' "${skipped[@]}"
fi
# run_target ran in a subshell: its verdicts are read back from the rows.
! printf '%s\n' "${rows[@]}" | grep -q '| FAILED |$'
