#!/bin/sh
# The real program on a virtual display: first run, a second start, closing.
# usage: startup_test.sh PROGRAM_DIR SCREENSHOT_DIR
set -u
SCREENSHOT_DIR=$2
mkdir -p "$SCREENSHOT_DIR"
. "$(dirname "$0")/x11_session.sh"
x11_start "$1"

# A text editor the desktop has, for the first run's program button.
printf '#!/bin/sh\nexit 0\n' > "$TMP/bin/gnome-text-editor"
chmod +x "$TMP/bin/gnome-text-editor"
export PATH="$TMP/bin:$PATH"

# A stand-alone helper program of older versions is removed at every start.
printf 'old' > "$PROG/pvfolder.exe"

"$PROG/parvo" &
BAR_PID=$!
bar=$(wait_for_window Parvo) || fail "the bar window did not appear"
[ -e "$PROG/pvfolder.exe" ] && fail "pvfolder.exe is still there"
sleep 0.5
screenshot startup-floating

geometry=$(xdotool getwindowgeometry "$bar")
echo "$geometry" | grep -q "Geometry: 500x22" || fail "floating bar is not 500x22: $geometry"

# A second start wakes the first one (a minimised bar comes back) and leaves at once
# with code 0.
for _ in $(seq 50); do
  xdotool windowminimize "$bar"
  sleep 0.1
  xwininfo -id "$bar" | grep -q IsViewable || break
done
xwininfo -id "$bar" | grep -q IsViewable && fail "the bar did not minimise"
timeout 10 "$PROG/parvo"
code=$?
[ "$code" = 0 ] || fail "second instance exited with $code"
count=$(pgrep -f -x "$PROG/parvo" | wc -l)
[ "$count" = 1 ] || fail "$count bar processes run after a second start"
for _ in $(seq 100); do xwininfo -id "$bar" | grep -q IsViewable && break; sleep 0.05; done
xwininfo -id "$bar" | grep -q IsViewable || fail "the second start did not restore the minimised bar"

# First-run results: registry defaults, the two lists, the editor shortcut.
reg="$XDG_CONFIG_HOME/parvo/registry.reg"
[ -f "$reg" ] || fail "no registry file"
for line in '"FirstLoad"=dword:00000000' '"Floating"=dword:00000000' '"Szer"=dword:000001f4' \
            '"Gora"=dword:00000028' '"Tray"=dword:00000001' '"ClickLayout"=dword:00000005' \
            '"Drives_fullimages"=dword:00000000' '"Except_drive"=""'; do
  grep -qF "$line" "$reg" || fail "registry lacks $line"
done
printf '// shortcuts - Parvo - Do not change this file!\r\ngnome-text-editor\r\n' | cmp -s - "$PROG/data/shortcut.mke" \
  || fail "unexpected shortcut.mke: $(od -c "$PROG/data/shortcut.mke" | head)"
printf "// efolder - Parvo - Do not change this file!\r\nDesktop|$HOME/Desktop>11\r\n" | cmp -s - "$PROG/data/efolder.mke" \
  || fail "unexpected efolder.mke: $(cat "$PROG/data/efolder.mke")"
info=$(lnkinfo "$PROG/links/gnome-text-editor.lnk" 2>&1) || fail "lnkinfo cannot read the editor shortcut: $info"
echo "$info" | grep -q "Local path.*: $TMP/bin/gnome-text-editor" || fail "editor shortcut target: $info"
echo "$info" | grep -q "Working directory.*: $TMP/bin/" || fail "editor shortcut folder: $info"

# Closing asks first; "No" keeps the bar, "Yes" ends it and saves the placement.
xdotool windowmove "$bar" 123 77
sleep 0.3
xdotool windowactivate --sync "$bar" key alt+F4
box=$(wait_for_window Parvo-question 2>/dev/null) || box=$(xdotool search --onlyvisible --name '^Parvo$' | grep -v "^$bar\$" | head -n 1)
[ -n "$box" ] || fail "no confirmation box"
screenshot close-question
xdotool windowactivate --sync "$box" key Escape
sleep 0.5
kill -0 "$BAR_PID" 2>/dev/null || fail "answering No ended the bar"

xdotool windowactivate --sync "$bar" key alt+F4
sleep 0.5
box=$(xdotool search --onlyvisible --name '^Parvo$' | grep -v "^$bar\$" | head -n 1)
[ -n "$box" ] || fail "no confirmation box the second time"
xdotool windowactivate --sync "$box" key Return
for _ in $(seq 100); do kill -0 "$BAR_PID" 2>/dev/null || break; sleep 0.05; done
kill -0 "$BAR_PID" 2>/dev/null && fail "answering Yes did not end the bar"
wait "$BAR_PID"; BAR_PID=
grep -qF '"Lewa"=dword:0000007b' "$reg" || fail "the floating position was not saved: $(grep -E 'Lewa|Gora' "$reg")"
grep -qF '"Gora"=dword:0000004d' "$reg" || fail "the floating top was not saved: $(grep -E 'Lewa|Gora' "$reg")"

# The session ending the program (SIGTERM) saves the placement too, without a question.
"$PROG/parvo" &
BAR_PID=$!
bar=$(wait_for_window Parvo) || fail "the bar did not start again"
sleep 0.3
geometry=$(xdotool getwindowgeometry "$bar")
echo "$geometry" | grep -q "Geometry: 500x22" || fail "restarted bar is not 500x22: $geometry"
xdotool windowmove "$bar" 321 99
sleep 0.3
kill -TERM "$BAR_PID"
for _ in $(seq 100); do kill -0 "$BAR_PID" 2>/dev/null || break; sleep 0.05; done
kill -0 "$BAR_PID" 2>/dev/null && fail "SIGTERM did not end the bar"
BAR_PID=
grep -qF '"Lewa"=dword:00000141' "$reg" || fail "SIGTERM did not save the position: $(grep -E 'Lewa|Gora' "$reg")"
grep -qF '"Gora"=dword:00000063' "$reg" || fail "SIGTERM did not save the top: $(grep -E 'Lewa|Gora' "$reg")"

x11_stop
echo "startup test passed"
