#!/usr/bin/env bash
# What the screen reader Orca says while the real window is used by keyboard: each result once,
# the division warning, "where am I" and the line review reading the value, and the tape's lines
# as the arrows reach them. Orca runs with a throw-away home and the dummy speech module; what it
# would say is read from the "SPEECH OUTPUT:" lines of its debug log.
#
# Usage: orca_speech.sh PATH/TO/vexlo SCREENS_DIR     Exit status 77 (skipped) where Orca or
# another tool is not installed, except on CI (CI=true), where a missing tool fails the test.
set -euo pipefail

program=${1:?usage: orca_speech.sh PATH/TO/vexlo SCREENS_DIR}
screens=${2:?usage: orca_speech.sh PATH/TO/vexlo SCREENS_DIR}
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=common.sh
source "$here/common.sh"
command -v orca >/dev/null || e2e_missing orca
[ -x /usr/lib/speech-dispatcher-modules/sd_dummy ] || e2e_missing speech-dispatcher
# shellcheck source=scenarios/lib.sh source-path=SCRIPTDIR
source "$here/scenarios/lib.sh"
e2e_require

e2e_own_session "$0" "$@"

orca_pid=""
orca_log=""
# Orca takes its time to say goodbye; it is given two seconds.
stop_orca() {
  local status=$?
  set +e
  if [ -n "$orca_pid" ]; then
    kill "$orca_pid" 2>/dev/null
    local tries=40
    while kill -0 "$orca_pid" 2>/dev/null && [ $((tries -= 1)) -gt 0 ]; do sleep 0.05; done
    kill -9 "$orca_pid" 2>/dev/null
    wait "$orca_pid" 2>/dev/null
  fi
  e2e_cleanup
  exit "$status"
}

# Orca before the program, as a user who has it on at login.
start_orca() {
  local home=$e2e_work/orca-home
  mkdir -p "$home/.config/speech-dispatcher" "$home/.local/share"
  printf 'AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n' \
    >"$home/.config/speech-dispatcher/speechd.conf"
  # Orca's own hook for user code: its debug log written line by line, to be read as it goes.
  mkdir -p "$home/.local/share/orca"
  printf 'from orca import debug\nif debug.debugFile:\n    debug.debugFile.reconfigure(line_buffering=True)\n' \
    >"$home/.local/share/orca/orca-customizations.py"
  orca_log=$e2e_work/orca.debug
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
    orca --debug-file="$orca_log" >"$e2e_work/orca.log" 2>&1 &
  orca_pid=$!
  wait_for grep -q "SPEECH OUTPUT: 'Screen reader on.'" "$orca_log" 2>/dev/null ||
    fail "Orca did not start"
  # It listens to the keyboard and to windows a moment after it says so.
  sleep 2
}

# What Orca said since the last call of said_since, one utterance a line.
spoken_from=0
spoken() { sed -n "$((spoken_from + 1)),\$s/.* SPEECH OUTPUT: '\(.*\)'[[{].*/\1/p" "$orca_log"; }
mark_spoken() { spoken_from=$(wc -l <"$orca_log"); }
said() { spoken | grep -xF -- "$1" >/dev/null; }
# Orca has said nothing for a second: what a start or a window's activation makes it say is done.
quiet_for_a_second() {
  local before
  before=$(wc -l <"$orca_log")
  sleep 1
  [ "$(wc -l <"$orca_log")" -eq "$before" ]
}
# expect_said TEXT [TIMES]: Orca said TEXT (exactly TIMES times, 1 unless told) since the
# last mark; it is given a second to say it twice.
expect_said() {
  wait_for said "$1" || fail "Orca did not say '$1'; it said: $(spoken | tr '\n' '|')"
  sleep 1
  local times
  times=$(spoken | grep -cxF -- "$1")
  [ "$times" -eq "${2:-1}" ] || fail "Orca said '$1' $times times: $(spoken | tr '\n' '|')"
}

e2e_begin orca_speech "$screens"
trap stop_orca EXIT
start_orca
app_start "$program"
# The focused display is said by its value, and before any result that value is what "where
# am I" reads.
wait_for said "0." || fail "Orca did not say the focused display: $(spoken | tr '\n' '|')"
wait_for quiet_for_a_second || fail "Orca did not fall silent after the start"
mark_spoken
press KP_Enter
expect_said 0.

# A result is said once, by its value; the typed digits only by the key echo. Orca ends what
# it says of an object with a point.
type_text 12
sleep 0.3
mark_spoken
type_text '*'
expect_said '12 ×'
type_text 3
sleep 0.3
mark_spoken
press Return
expect_said 36.
# "where am I" (KP_Enter) and the review of the current line (KP_Up) read the value.
mark_spoken
press KP_Enter
expect_said 36.
mark_spoken
press KP_Up
wait_for said '36 記号 36.' || fail "the line review read: $(spoken | tr '\n' '|')"

# The tax key: Orca says the display as shown, with its two decimals.
type_text c
sleep 0.3
type_text 1000
sleep 0.3
mark_spoken
press ctrl+k
expect_said 1,100.00.
# Typing renames the speaker: "where am I" reads what is shown now, not the last result.
type_text c
sleep 0.3
type_text 7
sleep 0.3
mark_spoken
press KP_Enter
expect_said 7.

# The division warning is said with its title.
type_text c
sleep 0.3
type_text 8/0
sleep 0.3
mark_spoken
press Return
expect_said ゼロで割れません。
said 'alert 電卓.' || fail "the warning's title was not said: $(spoken | tr '\n' '|')"
press Return

# The tape's lines are said as the arrows reach them, number and function; Esc closes it and
# the display is said again. Orca ends a line that does not end in an operator with a point.
type_text c
sleep 0.3
type_text 1000+480=
sleep 0.3
mark_spoken
press ctrl+p
expect_said '計算テープ dialog.'
wait_for quiet_for_a_second || fail "Orca did not fall silent after the tape opened"
press End
wait_for quiet_for_a_second || fail "Orca did not fall silent after End"
for step in Up:480. Up:'1,000 +' Down:480.; do
  mark_spoken
  press "${step%%:*}"
  expect_said "${step#*:}"
done
mark_spoken
press Escape
expect_said 1,480.

# A conversion made by keyboard on the unit panel is said too, the panel keeping the focus.
press F10 Right Down Down Down Down Right Down Return
a11y expect-shown 寸
type_text c
sleep 0.3
type_text 12
press Right Right Right
tries=12
until a11y_try expect-focused 寸 2>/dev/null; do
  [ $((tries -= 1)) -gt 0 ] || fail "the arrows did not reach 寸"
  press Down
done
sleep 0.5
mark_spoken
press ctrl+space
expect_said 3.96寸.
app_quit
echo "ok: orca_speech"
