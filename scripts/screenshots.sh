#!/usr/bin/env bash
# Takes a screenshot of the real calculator window: starts it under a private Xvfb, types a
# key script into it with xdotool, and saves the window as a PNG.
#
# Usage: scripts/screenshots.sh [options] OUTPUT_DIR KEYS
#   --name NAME       the picture's name, OUTPUT_DIR/NAME.png (default: vexlo)
#   --program PATH    the vexlo to run (default: build/bin/vexlo)
#   --settings FILE   start from this settings file (copied; the original is never written)
#   --lang ja|en      start language (default: ja); written into the copied settings file
#   --screen          save the whole screen, not only the window (popup menus, dialogs)
#
# KEYS: every character is typed as it stands; braces name other events:
#   {Enter} {Esc} {Tab} {Backspace} {Space} {F1}   those keys
#   {Ctrl+X}            a Ctrl combination
#   {key:NAME}          any xdotool key name or combination: {key:alt+o}, {key:Down}
#   {click:X,Y}         a left click at pixel X,Y of the window; {rightclick:X,Y} the right button
#   {wait:MS}           wait MS milliseconds (say, for a menu to open)
#   {{}                 a literal "{"
# Example: scripts/screenshots.sh docs/screenshots '1234*8{Enter}'
#
# The program runs as a copy in a throw-away folder, so neither its own settings nor the user's
# are read or written. Needs Xvfb, xdotool and ImageMagick's import.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/xvfb.sh

usage() {
  sed -n '4,12p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}
name=vexlo
program=build/bin/vexlo
settings=""
lang=ja
whole_screen=false
while [ $# -gt 0 ]; do
  case "$1" in
    --name) name=${2:?--name needs a value}; shift 2 ;;
    --program) program=${2:?--program needs a value}; shift 2 ;;
    --settings) settings=${2:?--settings needs a value}; shift 2 ;;
    --lang) lang=${2:?--lang needs a value}; shift 2 ;;
    --screen) whole_screen=true; shift ;;
    --help) usage ;;
    --) shift; break ;;
    -*) echo "screenshots.sh: unknown option $1" >&2; usage ;;
    *) break ;;
  esac
done
[ $# -eq 2 ] || usage
output_dir=$1
keys=$2
case "$lang" in ja | en) ;; *) echo "screenshots.sh: --lang takes ja or en" >&2; exit 2 ;; esac
[[ "$name" =~ ^[A-Za-z0-9._-]+$ ]] || { echo "screenshots.sh: --name: letters, digits, . _ -" >&2; exit 2; }
[ -x "$program" ] || { echo "screenshots.sh: no program at $program (build it first)" >&2; exit 1; }
[ -z "$settings" ] || [ -f "$settings" ] || { echo "screenshots.sh: no file $settings" >&2; exit 1; }
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null ||
    { echo "screenshots.sh: $tool is missing (apt-get install xvfb xdotool imagemagick)" >&2; exit 1; }
done

xvfb_scratch

mkdir "$work/app" "$work/home"
cp "$program" "$work/app/vexlo"
if [ -n "$settings" ]; then cp "$settings" "$work/app/VEXLO.INI"; else printf '[VEXLO]\n' >"$work/app/VEXLO.INI"; fi
if [ "$lang" = en ]; then
  sed -i '/^JpFont=/Id' "$work/app/VEXLO.INI"
  sed -i '0,/^\[VEXLO\]/I s//&\nJpFont=1/' "$work/app/VEXLO.INI"
fi

xvfb_start || { echo "screenshots.sh: Xvfb did not start" >&2; exit 1; }
start_vexlo "$work/app/vexlo" "$work/home"
window=""
find_window() { window=$(window_of "$app_pid"); }
wait_for 100 find_window || { cat "$work/vexlo.log" >&2; echo "screenshots.sh: no window" >&2; exit 1; }
timeout 10 xdotool windowfocus --sync "$window"

# Sends one event of the key script to the window.
send() {
  case "$1" in
    Enter) xdotool key Return ;;
    Esc) xdotool key Escape ;;
    Tab | F1) xdotool key "$1" ;;
    Backspace) xdotool key BackSpace ;;
    Space) xdotool key space ;;
    Ctrl+?) xdotool key "ctrl+${1#Ctrl+}" ;;
    key:*) xdotool key "${1#key:}" ;;
    click:*,* | rightclick:*,*)
      local button=1 point=${1#*:}
      [[ "$1" == right* ]] && button=3
      xdotool mousemove --window "$window" "${point%,*}" "${point#*,}" click "$button" ;;
    wait:*) sleep "$(awk -v ms="${1#wait:}" 'BEGIN { print ms / 1000 }')" ;;
    {) xdotool type '{' ;;
    *) echo "screenshots.sh: unknown event {$1}" >&2; return 1 ;;
  esac
}
rest=$keys
while [ -n "$rest" ]; do
  if [[ "$rest" == "{"* ]]; then
    if [[ "$rest" == "{{}"* ]]; then event="{"; rest=${rest:3}; else
      [[ "$rest" == *"}"* ]] || { echo "screenshots.sh: unclosed { in KEYS" >&2; exit 2; }
      event=${rest#\{}; event=${event%%\}*}; rest=${rest#*\}}
    fi
    timeout 10 bash -c "$(declare -f send); window=$window; send \"\$1\"" _ "$event"
  else
    text=${rest%%\{*}; rest=${rest:${#text}}
    timeout 30 xdotool type --delay 40 -- "$text"
  fi
  sleep 0.05
done
sleep 0.5
kill -0 "$app_pid" 2>/dev/null || { echo "screenshots.sh: the program ended before the picture" >&2; exit 1; }

mkdir -p "$output_dir"
picture="$output_dir/$name.png"
if $whole_screen; then import -window root "$picture"; else import -window "$window" "$picture"; fi
echo "$picture"
