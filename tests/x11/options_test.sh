#!/bin/sh
# The options dialog on the real program: opened from the bar's main menu, its
# auto-hide box lets the bar's strip go and slides the bar away at once, and unticking
# it takes the strip back; both clicks are in the settings file before the dialog closes.
# A web link dragged to another row is stored in its new place.
# usage: options_test.sh PROGRAM_DIR SCREENSHOT_DIR
set -u
SCREENSHOT_DIR=$2
mkdir -p "$SCREENSHOT_DIR"
. "$(dirname "$0")/x11_session.sh"
x11_start "$1"
REG="$XDG_CONFIG_HOME/parvo/registry.reg"
mkdir -p "$XDG_CONFIG_HOME/parvo"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo]\n"FirstLoad"=dword:00000000\n"Floating"=dword:00000002\n' > "$REG"
mkdir -p "$PROG/data"
printf '// h\r\nr0|http://0/\r\nr1|http://1/\r\nr2|http://2/\r\nr3|http://3/\r\nr4|http://4/\r\n' > "$PROG/data/www.mke"

place() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}
expect_place() {
  for _ in $(seq 60); do [ "$(place "$1")" = "$2" ] && return 0; sleep 0.05; done
  screenshot "options-$3"
  fail "$3: the bar is at $(place "$1"), not $2"
}
strut() { xprop -id "$bar" _NET_WM_STRUT_PARTIAL; }
expect_strut() {
  for _ in $(seq 60); do strut | grep -q "$1" && return 0; sleep 0.05; done
  fail "$2: $(strut)"
}
work_area() { xprop -root _NET_WORKAREA | sed 's/.*= //' | cut -d, -f1-4; }

"$PROG/parvo" &
BAR_PID=$!
bar=$(wait_for_window Parvo) || fail "the bar did not appear"
expect_place "$bar" "0 0 1280 28" "docked-top"
expect_strut '= 0, 0, 28, 0' "the docked bar reserves no strip"

# The main menu drops from the first button of the bar; its "Configurazione" opens the
# options.
xdotool mousemove 12 14 click 1
found=
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^Normal$' >/dev/null 2>&1 && { found=1; break; }
  sleep 0.05
done
[ -n "$found" ] || { screenshot options-no-menu; fail "the main menu did not open"; }
screenshot options-main-menu
xdotool type --delay 60 Configurazione
xdotool key Return
dialog=$(wait_for_window 'Configurazione \[ .* \]') || { screenshot options-no-dialog; fail "the options dialog did not open"; }
sleep 0.5
screenshot options-dialog

# "Nascondi automaticamente" is the second box of the first page.
xdotool mousemove --window "$dialog" 205 95 click 1
expect_strut 'not found\|= 0, 0, 0, 0' "auto-hide still reserves the strip"
for _ in $(seq 60); do [ "$(work_area)" = "0, 0, 1280, 800" ] && break; sleep 0.05; done
[ "$(work_area)" = "0, 0, 1280, 800" ] || fail "the work area is still $(work_area)"
xdotool mousemove 640 500
expect_place "$bar" "0 -26 1280 28" "auto-hidden"
grep -qF '"Hide"=dword:00000001' "$REG" || fail "auto-hide was not stored at the click"
screenshot options-autohidden

xdotool mousemove --window "$dialog" 205 95 click 1
expect_strut '= 0, 0, 28, 0' "the strip did not come back"
expect_place "$bar" "0 0 1280 28" "auto-hide off"
grep -qF '"Hide"=dword:00000000' "$REG" || fail "auto-hide off was not stored at the click"

# On the web-link page a row dragged onto another takes its place, and the list file is
# rewritten when the drag ends.
xdotool mousemove --window "$dialog" 60 58 click 1
sleep 0.4
xdotool mousemove --window "$dialog" 200 86 mousedown 1
for y in 90 96 104 112 120 125; do xdotool mousemove --window "$dialog" 200 "$y"; sleep 0.1; done
xdotool mouseup 1
expected="$(printf '// www - Parvo - Do not change this file!\r\nr1|http://1/\r\nr2|http://2/\r\nr3|http://3/\r\nr0|http://0/\r\nr4|http://4/\r')"
for _ in $(seq 60); do [ "$(cat "$PROG/data/www.mke")" = "$expected" ] && break; sleep 0.05; done
[ "$(cat "$PROG/data/www.mke")" = "$expected" ] || { screenshot options-drag; fail "the dragged row: $(cat "$PROG/data/www.mke")"; }
screenshot options-dragged

# The close button ends the dialog; the bar stays as it was left.
xdotool windowactivate --sync "$dialog" key Escape
for _ in $(seq 60); do xdotool search --onlyvisible --name 'Configurazione' >/dev/null 2>&1 || break; sleep 0.05; done
xdotool search --onlyvisible --name 'Configurazione' >/dev/null 2>&1 && fail "Escape did not close the dialog"
expect_place "$bar" "0 0 1280 28" "after the dialog"

x11_stop
echo "options test passed"
