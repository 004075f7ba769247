#!/usr/bin/env bash
# vexlo's command line: --help and --version print and exit 0 without a display; anything else
# prints a short usage on stderr and exits 2. No display is reachable, so a window that opened
# by mistake fails the run.
#
# Usage: command_line.sh PATH/TO/vexlo VERSION
set -uo pipefail

program=${1:?usage: command_line.sh PATH/TO/vexlo VERSION}
version=${2:?usage: command_line.sh PATH/TO/vexlo VERSION}
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

failures=0
# Rows: arguments (";" between them), exit status, then what the first lines of stdout and of
# stderr must match (extended regular expressions; empty: nothing may be printed there).
rows=(
  "--version|0|^vexlo ${version//./\\.}$|"
  "--help|0|^Usage: vexlo \[--help . --version\]$|"
  "-h|0|^Usage: vexlo |"
  "--help;--version|0|^Usage: vexlo |"
  "--bogus|2||^vexlo: unknown option '--bogus'$"
  "file.txt|2||^vexlo: unexpected argument 'file.txt'$"
  "--version;-platform|2||^vexlo: unknown option '-platform'$"
  "--version=1|2||^vexlo: unknown option '--version=1'$"
  "|2||^vexlo: unexpected argument ''$"
  "--version;--|0|^vexlo |"
  "--;--help|2||^vexlo: unexpected argument '--help'$"
)
# True when the first line of file $1 matches $2, or when both are empty.
first_line_matches() {
  if [ -z "$2" ]; then [ ! -s "$1" ]; else head -n 1 "$1" | grep -Eq -- "$2"; fi
}
for row in "${rows[@]}"; do
  IFS='|' read -r words status stdout_pattern stderr_pattern <<<"$row"
  IFS=';' read -r -a args <<<"$words"
  [ -z "$words" ] && args=("")
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb timeout 10 "$program" "${args[@]}" \
    >"$out" 2>"$err"
  actual=$?
  problem=""
  [ "$actual" -eq "$status" ] || problem="exit status $actual, not $status"
  first_line_matches "$out" "$stdout_pattern" || problem+=" stdout: $(head -n 1 "$out")"
  first_line_matches "$err" "$stderr_pattern" || problem+=" stderr: $(head -n 1 "$err")"
  if [ "$status" -eq 2 ] && ! grep -q "^Usage: vexlo " "$err"; then problem+=" no usage on stderr"; fi
  if [ -n "$problem" ]; then
    echo "FAIL vexlo ${args[*]}: $problem"
    failures=$((failures + 1))
  fi
done
echo "${#rows[@]} command lines, $failures failed"
[ "$failures" -eq 0 ]
