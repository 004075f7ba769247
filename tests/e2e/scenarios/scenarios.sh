#!/usr/bin/env bash
# End-to-end scenarios of the real calculator window: real keys and clicks under openbox on a
# private X server, checked through the display read over the accessibility bus, the settings
# file, the clipboard and screenshots kept in SCREENS_DIR.
#
# Usage: scenarios.sh NAME PATH/TO/vexlo SCREENS_DIR     Exit status 77 (skipped) without the
# tools (Xvfb, openbox, xdotool, xclip, imagemagick, dbus, python3-pyatspi).
set -euo pipefail

name=${1:?usage: scenarios.sh NAME PATH/TO/vexlo SCREENS_DIR}
program=${2:?usage: scenarios.sh NAME PATH/TO/vexlo SCREENS_DIR}
screens=${3:?usage: scenarios.sh NAME PATH/TO/vexlo SCREENS_DIR}
# shellcheck source=lib.sh source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh"
e2e_require
e2e_own_session "$0" "$@"

# Operators leave their marks; Enter and "%" evaluate (the "%" through the Enter it sends).
# The mark's face (Noto Serif CJK for "ＭＳ 明朝") is not loaded at start-up but after the first
# key, before an operator needs it.
scenario_arithmetic() {
  expect_face_not_loaded NotoSerifCJK
  type_text 1
  expect_face_loaded NotoSerifCJK
  type_text 2*
  expect_mark ×
  type_text 3
  expect_display 3.
  press Return
  expect_display 36.
  expect_mark ""
  type_text c100/8
  expect_mark ÷
  type_text '='
  expect_display 12.5
  expect_mark ' '
  screenshot result
  type_text c100*10%
  expect_display 10.
  expect_mark ""
  press ctrl+c
  expect_clipboard 10.
}

# Ctrl+K adds the tax through its menu accelerator; the next operator goes on from the result.
scenario_tax_accelerator() {
  type_text 1000
  press ctrl+k
  expect_display 1,100.00
  press ctrl+c
  expect_clipboard 1,100.00
  type_text +5=
  expect_display 1,105.
}

# Era letters set the mark and Space converts; ":" goes back from a Western year.
scenario_era() {
  type_text h
  expect_mark 平
  type_text '31 '
  expect_display 2019年
  type_text cs64
  expect_mark 昭
  type_text ' '
  expect_display 1989年
  type_text c2024:
  expect_display 令和6年
  screenshot western-to-era
  press ctrl+c
  expect_clipboard 令和6年
}

# z stores, Ctrl+D adds to memory, a recalls, q clears.
scenario_memory() {
  type_text 5z
  expect_mark M
  type_text c3
  press ctrl+d
  type_text @a
  expect_display 8.
  type_text qa
  expect_display 0.
}

# With "記憶有" chosen in the menu, the display at Esc is the display at the next start.
scenario_resume() {
  menu オプション 終了時数値記憶設定 記憶有
  expect_setting EndMem 1
  type_text 12345
  app_quit
  expect_setting Dumy 12,345.
  app_start "$program"
  expect_display 12,345.
  type_text +1
  press Return
  expect_display 12,346.
}

# Esc and Tab both close the window; each close leaves the display in Dumy.
scenario_escape() {
  type_text 42
  app_quit Escape
  expect_setting Dumy 42.
  app_start "$program"
  expect_display 0.
  type_text 7
  app_quit Tab
  expect_setting Dumy 7.
}

# The panel opened from the menu converts the display into the unit clicked; another source
# starts a new value, another category another set of units.
scenario_unit_panel() {
  menu オプション 単位変換画面 表示する
  type_text 12
  expect_display 12.
  screenshot panel
  click_target 寸
  expect_display 3.96寸
  screenshot converted
  press ctrl+c
  expect_clipboard 3.96寸
  click_source ｍ
  expect_display 0.
  type_text 1234.5
  click_target フィート
  expect_display 4,050.1476ft
  click 重量
  expect_display 0.
  click_source 貫
  # The point typed in 1234.5 still holds; CE (@) starts a whole number.
  type_text @2
  click_target 斤
  expect_display 12.5斤
}

# The same conversion by keyboard alone, the pointer left where it was: F10 and the arrows
# through the menus, the arrows over the panel, Ctrl+Space to tick the target.
scenario_keyboard_unit_panel() {
  local pointer
  pointer=$(xdotool getmouselocation)
  press F10
  a11y expect-shown 全入力取り消し*
  press Right
  a11y expect-shown フォント選択
  press Down Down Down Down Right
  a11y expect-shown 表示する
  press Down Return
  a11y expect-shown 寸
  type_text 12
  expect_display 12.
  # The display, the kinds of unit, the sources, the targets.
  press Right Right Right
  local tries=12
  until a11y_try expect-focused 寸 2>/dev/null; do
    [ $((tries -= 1)) -gt 0 ] || fail "the arrows did not reach 寸"
    press Down
  done
  press ctrl+space
  expect_display 3.96寸
  [ "$(xdotool getmouselocation)" = "$pointer" ] || fail "the pointer moved"
}

# A menu opened with the mouse and closed with Esc, or left by a choice made with Alt, the
# arrows and Enter, leaves the next keys to the calculator.
scenario_menu_trap() {
  click 編集 'menu item'
  a11y expect-shown 全入力取り消し*
  press Escape
  type_text 2+3
  press Return
  expect_display 5.
  # 全入力取り消し, the first item of 編集, chosen by keyboard.
  type_text 7
  press alt
  press Down
  a11y expect-shown 全入力取り消し*
  press Return
  expect_display 0.
  type_text 2+3
  press Return
  expect_display 5.
  # A submenu left with Esc, twice: the same.
  press alt
  press Right Down Down Return
  a11y expect-shown 'メイン･ウインドウ'
  press Escape Escape
  type_text 4*5
  press Return
  expect_display 20.
}

# Dragging the bottom border snaps the window to the medium and large size classes and back.
scenario_drag_size_classes() {
  expect_size_class 1356
  drag_bottom_border 15
  expect_size_class 1620
  screenshot medium
  drag_bottom_border 200
  expect_size_class 1800
  screenshot large
  drag_bottom_border -20
  expect_size_class 1620
  drag_bottom_border -20
  expect_size_class 1356
  # A hand that holds still before it lets go: the size the manager settles on snaps too.
  drag_bottom_border 15 1.2
  expect_size_class 1620
  drag_bottom_border -20 1.2
  expect_size_class 1356
}

# English chosen in the menu holds at the next start: the title, the menus and the era
# results in English; Japanese chosen back holds at once.
scenario_language() {
  menu オプション 使用言語選択 English
  expect_setting JpFont 1
  expect_title 【VexloKun】
  app_quit
  app_start "$program"
  expect_title 【VexloKun】
  expect_display_name Display
  type_text 't15 '
  expect_display 1926
  screenshot english
  menu Option* 'Choose Language' Japanese
  expect_setting JpFont 0
  expect_title 【ベクロ】
  # The results keep the language of the start until the next one.
  type_text 'ct15 '
  expect_display 1926
  app_quit
  app_start "$program"
  expect_title 【ベクロ】
  expect_display_name 表示
  type_text 't15 '
  expect_display 1926年
}

# A colour chosen in the dialog colours the display and is stored as 0x00BBGGRR.
scenario_colour() {
  expect_display_colour '#00FF00'
  menu オプション カラー選択 メイン･ウインドウ
  choose_colour '#0000ff'
  expect_setting MColor 16711680
  expect_display_colour '#0000FF'
  screenshot blue
}

# A right click on the display opens the edit menu at the window's corner, not at the
# pointer; its copy item copies the display.
scenario_popup() {
  move_window 200 150
  type_text 789
  expect_display 789.
  a11y rightclick display
  expect_popup_at_window 編集
  screenshot popup
  menu 'コピー(ｸﾘｯﾌﾟ･ﾎﾞｰﾄﾞﾍ)'
  expect_clipboard 789.
}

# Always on top asks the manager only for what it lists in _NET_SUPPORTED: without
# _NET_WM_STATE_ABOVE the user is told that this desktop cannot, and the choice is still
# stored; with it, choosing the ticked item again puts the window on top and nothing is said.
window_above() { xprop -id "$app_window" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
scenario_on_top() {
  local listed
  read -ra listed < <(xprop -root -notype _NET_SUPPORTED | sed 's/^[^=]*= *//; s/,/ /g')
  [[ " ${listed[*]} " = *" _NET_WM_STATE_ABOVE "* ]] || fail "openbox lists no _NET_WM_STATE_ABOVE"
  local without=() atom
  for atom in "${listed[@]}"; do [ "$atom" = _NET_WM_STATE_ABOVE ] || without+=("$atom"); done
  set_root_atoms _NET_SUPPORTED "${without[@]}"
  menu オプション 常に前面に表示 表示する
  a11y expect-shown 'このデスクトップでは、ウインドウを常に前面に表示できません。'
  screenshot refused
  press Return
  expect_setting AllFcs 1
  ! window_above || fail "the window took _NET_WM_STATE_ABOVE the manager does not list"
  set_root_atoms _NET_SUPPORTED "${listed[@]}"
  menu オプション 常に前面に表示 表示する
  wait_for window_above || fail "the window is not above: $(xprop -id "$app_window" _NET_WM_STATE)"
  ! E2E_WAIT=1 a11y_try expect-shown 'このデスクトップでは*' 2>/dev/null || fail "the refusal came again"
  expect_display 0.
}

# Under a title bar of 38 pixels or more (openbox on a 192-DPI server without Xft.dpi) the
# display lies inside the client area and its digits are drawn whole: "0." and 15 digits.
# The digits' ink is what is not the display's green; it must not touch the strip's edges.
display_ink=""
display_ink_whole() {
  local x y width height cx cy cw ch iw ih ix iy
  read -r x y width height < <(a11y_try extents display)
  read -r cx cy cw ch < <(client_geometry)
  [ "$x" -ge "$cx" ] && [ "$y" -ge "$cy" ] && [ $((x + width)) -le $((cx + cw)) ] &&
    [ $((y + height)) -le $((cy + ch)) ] || return 1
  display_ink=$(timeout "$E2E_WAIT" import -window root -crop "${width}x${height}+$x+$y" +repage png:- |
    convert png:- -fuzz 20% -fill white -opaque '#00FF00' -trim -format '%w %h %X %Y' info:-)
  read -r iw ih ix iy <<<"$display_ink"
  [ "$iw" -lt "$width" ] && [ "$ix" -gt 0 ] && [ "$iy" -gt 0 ] && [ $((ix + iw)) -lt "$width" ] &&
    [ $((iy + ih)) -lt "$height" ]
}
scenario_tall_title_bar() {
  local top
  read -r _ _ top _ < <(frame_extents)
  [ "$top" -ge 38 ] || fail "openbox's title bar is $top pixels, not the tall one under test"
  local shown
  for shown in 0. 123,456,789,012,345.; do
    if [ "$shown" != 0. ]; then
      type_text 123456789012345
      # The 15th digit fills the display, which the program warns of (twice); the digits stay.
      a11y expect-shown '表示行数をオーバー*'
      local closes=0
      while E2E_WAIT=1 a11y_try expect-shown '表示行数をオーバー*' 2>/dev/null; do
        [ $((closes += 1)) -le 3 ] || fail "the warning does not close"
        press Return
        sleep 0.2
      done
    fi
    expect_display "$shown"
    wait_for display_ink_whole ||
      fail "$shown is not whole: display $(a11y_try extents display), client $(client_geometry)," \
        "ink (width height x y in the display) $display_ink"
    screenshot "shown-${shown%%,*}"
  done
}

# Another program holds the settings file's lock: the window goes on answering keys, the
# position it was told to keep reaches the file once the lock is free, and a close while the
# lock is held again tells, after its short wait, that the display text was not kept.
scenario_settings_lock() {
  local settings=$e2e_work/app/VEXLO.INI holder
  hold_settings_lock
  holder=$!
  menu オプション ウインドウ位置を保存
  type_text 12+3=
  expect_display 15.
  kill -0 "$holder" 2>/dev/null || fail "the lock was let go before the window answered"
  ! grep -q '^FormTop=' "$settings" 2>/dev/null || fail "written without the lock"
  release_settings_lock "$holder"
  wait_for grep -q '^Form3Left=' "$settings" || fail "the position never reached the file"
  grep -q '^FormTop=' "$settings" || fail "FormTop never reached the file"
  hold_settings_lock
  holder=$!
  type_text 7
  press Escape
  a11y expect-shown 'ほかのプログラムが設定ファイルを使用中のため、設定を保存できませんでした。*'
  screenshot lost-settings
  click OK 'push button'
  wait_for app_ended || fail "the program did not end after the message"
  wait "$app_pid" || fail "the program ended with status $?"
  app_pid=""
  grep -qx 'Dumy=15.' "$settings" || [ "$(grep -c '^Dumy=' "$settings")" -eq 0 ] ||
    fail "the display text was written without the lock"
  release_settings_lock "$holder"
}

# Holds the settings file's lock in a background process (its pid in $!) until it is killed.
hold_settings_lock() {
  rm -f "$e2e_work/locked"
  flock -o "$e2e_work/app/.VEXLO.INI.lock" bash -c "touch '$e2e_work/locked'; exec sleep 60" &
  wait_for test -e "$e2e_work/locked" || fail "the lock could not be taken"
}

release_settings_lock() {
  pkill -P "$1" 2>/dev/null || true
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# tape_read lines|current: the tape window's lines as screen readers get them (the list's
# items), one a line, or the line the keyboard is on.
tape_read() {
  "$e2e_python" - "$e2e_here" "$app_pid" "$1" <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
import a11y
import pyatspi

pid, which = int(sys.argv[2]), sys.argv[3]


def lines():
    tape = a11y.find_shown(pid, "計算テープ", ("list",))
    if tape is None:
        return None
    items = [item for item in tape if item is not None and item.getRoleName() == "list item"]
    if which == "current":
        items = [item for item in items if item.getState().contains(pyatspi.STATE_FOCUSED)]
    return [item.name for item in items]


try:
    print(*a11y.until("no tape shown", lines), sep="\n")
except a11y.Failed as failure:
    sys.exit(f"FAIL: {failure}")
PY
}
tape_reads() { [ "$(tape_read "$1" 2>/dev/null)" = "$(printf '%s\n' "${@:2}")" ]; }
expect_tape_lines() {
  wait_for tape_reads lines "$@" ||
    fail "the tape reads '$(tape_read lines | tr '\n' '|')', not '$(printf '%s|' "$@")'"
}
expect_tape_current() {
  wait_for tape_reads current "$1" ||
    fail "the tape's current line is '$(tape_read current | tr '\n' '|')', not '$1'"
}
tape_shown() {
  [ -n "$(xdotool search --all --onlyvisible --pid "$app_pid" --name '^計算テープ$')" ]
}
tape_shown_not() { ! tape_shown; }
active_is() { [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = "$1" ]; }
expect_active() {
  wait_for active_is "$1" ||
    fail "the active window is '$(xdotool getactivewindow getwindowname)', not '$1'"
}

# Five prices added, 340 typed as 3400: the tape shows the wrong one, the keyboard finds it
# there, the total is put right in the calculator (Ctrl+P goes from either window to the
# other), and the whole tape copied keeps two tab-separated columns, the corrected total last.
scenario_tape() {
  # Each line as the list names it (number, space, function) and as it is copied (a tab).
  local printed=('1,280 +' '980 +' '3,400 +' '1,500 +' '760' '7,920 =')
  local corrected=('7,920 −' '3,400 +' '340' '4,860 =')
  type_text 1280+980+3400+1500+760=
  expect_display 7,920.
  press ctrl+p
  expect_active 計算テープ
  expect_tape_lines "${printed[@]}"
  press End Up Up Up
  expect_tape_current '3,400 +'
  press ctrl+c
  expect_clipboard $'3,400\t+'
  press ctrl+p
  expect_active 【ベクロ】
  press minus
  type_text 3400+340=
  expect_display 4,860.
  expect_tape_lines "${printed[@]}" "${corrected[@]}"
  press ctrl+p
  expect_active 計算テープ
  press ctrl+shift+c
  local row number expected=""
  for row in "${printed[@]}" "${corrected[@]}"; do
    number=${row%% *}
    expected+="$number"$'\t'"${row:${#number}+1}"$'\n'
  done
  expect_clipboard "${expected%$'\n'}"
  local file=$e2e_work/tape.txt
  timeout 2 xclip -o -selection clipboard >"$file" || fail "could not read the clipboard"
  local bad
  bad=$(awk -F'\t' 'NF != 2 { print NR ": " $0 }' "$file")
  [ -z "$bad" ] || fail "lines without exactly two tab-separated fields: $bad"
  bad=$(cut -f1 "$file" | grep -nvxE '[0-9]{1,3}(,[0-9]{3})*' || true)
  [ -z "$bad" ] || fail "not numbers in the first column: $bad"
  [ "$(cut -f1 "$file")" = "$(printf '%s' "$expected" | cut -f1)" ] ||
    fail "the numbers' column is $(cut -f1 "$file" | tr '\n' '|')"
  [ "$(cut -f2 "$file")" = "$(printf '%s' "$expected" | cut -f2)" ] ||
    fail "the functions' column is $(cut -f2 "$file" | tr '\n' '|')"
  [ "$(grep -c $'\t=$' "$file")" -eq 2 ] || fail "not two totals: $(tr '\t\n' '>|' <"$file")"
  [ "$(tail -n 1 "$file")" = $'4,860\t=' ] || fail "the last line is not the corrected total"
  screenshot corrected
  # Esc closes the tape alone; the calculator has the keys again, and the Esc after the
  # scenario ends it.
  press Escape
  wait_for tape_shown_not || fail "Esc did not close the tape"
  expect_display 4,860.
}

e2e_begin "$name" "$screens"
declare -F "scenario_$name" >/dev/null || fail "no scenario $name"
app_start "$program"
"scenario_$name"
# Whatever a scenario leaves on the display, Esc keeps it in the settings file.
if [ -n "$app_pid" ]; then
  shown=$(a11y read display)
  app_quit
  expect_setting Dumy "$shown"
fi
echo "ok: $name"
