#!/bin/sh
# The bar at the screen edges on a real window manager: docked strips reserved in the work
# area at each edge, the floating window, dragging between the two (a click is no drag;
# the new place is saved at once), auto-hide, and a second auto-hide bar refused on an
# edge that already has one.
# usage: docking_test.sh PROGRAM_DIR SCREENSHOT_DIR
set -u
SCREENSHOT_DIR=$2
mkdir -p "$SCREENSHOT_DIR"
. "$(dirname "$0")/x11_session.sh"
x11_start "$1"
REG="$XDG_CONFIG_HOME/parvo/registry.reg"

# Docked at the top: 28 high across the screen, the strip taken from the work area.
write_settings 2 0
start_bar
expect_place "$bar" "0 0 1280 28" "docked top"
xprop -id "$bar" _NET_WM_WINDOW_TYPE | grep -q '_NET_WM_WINDOW_TYPE_DOCK' || fail "the docked bar is no dock window"
xprop -id "$bar" _NET_WM_DESKTOP | grep -q '4294967295' || fail "the docked bar is not on every desktop"
expect_strut "$bar" "0, 0, 28, 0, 0, 0, 0, 0, 0, 1279, 0, 0" "top strut"
xprop -id "$bar" _NET_WM_STRUT | grep -q '= 0, 0, 28, 0' || fail "no plain strut for older window managers"
expect_work_area "0, 28, 1280, 772" "docked top"
screenshot docked-top
stop_bar
expect_work_area "0, 0, 1280, 800" "after the top bar ended"
grep -qF '"Floating"=dword:00000002' "$REG" || fail "the top edge was not kept"

# Docked at the left: 36 wide, the whole height.
write_settings 1 0
start_bar
expect_place "$bar" "0 0 36 800" "docked left"
expect_strut "$bar" "36, 0, 0, 0, 0, 799, 0, 0, 0, 0, 0, 0" "left strut"
expect_work_area "36, 0, 1244, 800" "docked left"
screenshot docked-left
stop_bar

# At the right and at the bottom, the strips are counted from those edges.
write_settings 3 0
start_bar
expect_place "$bar" "1244 0 36 800" "docked right"
expect_strut "$bar" "0, 36, 0, 0, 0, 0, 0, 799, 0, 0, 0, 0" "right strut"
expect_work_area "0, 0, 1244, 800" "docked right"
screenshot docked-right
stop_bar
write_settings 4 0
start_bar
expect_place "$bar" "0 772 1280 28" "docked bottom"
expect_strut "$bar" "0, 0, 0, 28, 0, 0, 0, 0, 0, 0, 0, 1279" "bottom strut"
expect_work_area "0, 0, 1280, 772" "docked bottom"
screenshot docked-bottom

# A plain click on the grip, without moving, leaves the bar where it is.
xdotool mousemove 5 790 click 1
sleep 0.3
xdotool mousemove 5 780 click 1
sleep 0.5
expect_place "$bar" "0 772 1280 28" "clicked on the grip"
stop_bar
grep -qF '"Floating"=dword:00000004' "$REG" || fail "a click changed the saved edge"

# Always on top, the bar stays above other windows, but goes below a full-screen window
# that is active.
write_settings 2 0 1
start_bar
expect_state() {
  for _ in $(seq 60); do xprop -id "$bar" _NET_WM_STATE | grep -q "$1" && return 0; sleep 0.05; done
  fail "$2: $(xprop -id "$bar" _NET_WM_STATE)"
}
expect_state _NET_WM_STATE_ABOVE "the bar is not kept above"
xev -name FullScreenTester >/dev/null 2>&1 &
XEV_PID=$!
other=$(wait_for_window FullScreenTester) || fail "no other window"
xdotool windowactivate --sync "$other"
xprop -id "$other" -f _NET_WM_STATE 32a -set _NET_WM_STATE _NET_WM_STATE_FULLSCREEN
expect_state _NET_WM_STATE_BELOW "the bar stays above a full-screen window"
xprop -id "$other" -f _NET_WM_STATE 32a -set _NET_WM_STATE _NET_WM_STATE_MAXIMIZED_VERT
expect_state _NET_WM_STATE_ABOVE "the bar did not come back above"
kill "$XEV_PID"
stop_bar

# Floating: a normal window with a title, as wide as stored, 22 high, off the task bar.
write_settings 0 0
start_bar
expect_place "$bar" "100 100 600 22" "floating"
xprop -id "$bar" _NET_WM_WINDOW_TYPE | grep -q '_NET_WM_WINDOW_TYPE_NORMAL' || fail "the floating bar is no normal window"
xprop -id "$bar" _NET_WM_STATE | grep -q '_NET_WM_STATE_SKIP_TASKBAR' || fail "the floating bar is on the task bar"
xprop -id "$bar" _NET_WM_STRUT_PARTIAL | grep -q 'not found' || fail "the floating bar reserves a strip"
xprop -id "$bar" WM_NORMAL_HINTS | grep -q 'minimum size: 0 by 22' || fail "the floating bar's height is not held"
expect_work_area "0, 0, 1280, 800" "floating"
screenshot floating

# Dragged by its bare left end to the top of the screen, it docks there, and the edge is
# saved at once, not only when the bar ends...
drag 104 110 400,90 400,60 400,30 400,10 400,0
expect_place "$bar" "0 0 1280 28" "dragged to the top"
expect_work_area "0, 28, 1280, 772" "dragged to the top"
xprop -id "$bar" _NET_WM_WINDOW_TYPE | grep -q '_NET_WM_WINDOW_TYPE_DOCK' || fail "the dragged bar is no dock window"
xprop -id "$bar" _MOTIF_WM_HINTS | grep -q '= 0x2, 0x1, 0x0' || fail "the docked bar asks for a frame"
expect_saved '"Floating"=dword:00000002' "the top edge was not saved after the drag"
screenshot dragged-top

# ...on to the bottom, where a bar that dies at once still comes back...
drag 4 10 640,200 640,600 640,790 640,799
expect_place "$bar" "0 772 1280 28" "dragged to the bottom"
expect_saved '"Floating"=dword:00000004' "the bottom edge was not saved after the drag"
kill -9 "$BAR_PID"
wait "$BAR_PID" 2>/dev/null
start_bar
expect_place "$bar" "0 772 1280 28" "restarted after a crash"

# ...and dragged into the middle it floats again, hanging from the pointer at its
# floating size, and is saved there.
drag 4 790 640,780 640,740 640,600 640,400
expect_place "$bar" "340 400 600 22" "dragged off the edge"
expect_work_area "0, 0, 1280, 800" "dragged off the edge"
expect_saved '"Floating"=dword:00000000' "floating was not saved after the drag"
expect_saved '"Lewa"=dword:00000154' "the floating left was not saved"
expect_saved '"Gora"=dword:00000190' "the floating top was not saved"
stop_bar
grep -qF '"Szer"=dword:00000258' "$REG" || fail "the floating width changed: $(grep Szer "$REG")"

# Two bars at the top (another program name: one bar per name runs): the second docks
# below the first, both settle, and when the first ends the second takes the edge.
cp "$PROG/parvo" "$PROG/parvo2"
write_settings 2 0
start_bar
FIRST_PID=$BAR_PID
first=$bar
"$PROG/parvo2" &
BAR_PID=$!
second=
for _ in $(seq 200); do
  second=$(xdotool search --all --onlyvisible --pid "$BAR_PID" --name '^Parvo$' 2>/dev/null | head -n 1)
  [ -n "$second" ] && break
  sleep 0.05
done
[ -n "$second" ] || fail "the second bar did not appear"
expect_place "$second" "0 28 1280 28" "the second bar at the top"
expect_work_area "0, 56, 1280, 744" "two bars at the top"
sleep 0.5
[ "$(place "$first")" = "0 0 1280 28" ] || fail "the first bar was pushed to $(place "$first")"
SECOND_PID=$BAR_PID
BAR_PID=$FIRST_PID
stop_bar
BAR_PID=$SECOND_PID
expect_place "$second" "0 0 1280 28" "the second bar after the first ended"
expect_work_area "0, 28, 1280, 772" "one bar left at the top"
stop_bar

# Auto-hide at the top: registered for the edge, no strip reserved, hidden but for two
# pixels, out when the pointer reaches the edge, back when it leaves.
write_settings 2 1
xdotool mousemove 640 400
start_bar
first=$bar
FIRST_PID=$BAR_PID
expect_place "$bar" "0 -26 1280 28" "auto-hidden"
xprop -root _PARVO_AUTOHIDE_BAR_TOP | grep -qi "$(printf '0x%x' "$bar")" || fail "the auto-hide bar is not registered"
expect_work_area "0, 0, 1280, 800" "auto-hidden"
xdotool mousemove 640 0
expect_place "$bar" "0 0 1280 28" "auto-hide bar at the pointer"
screenshot autohide-shown
xdotool mousemove 640 400
sleep 0.5
expect_place "$bar" "0 -26 1280 28" "auto-hide bar after the pointer left"

# A second bar asking for auto-hide at the same edge is told no and docks normally.
"$PROG/parvo2" &
BAR_PID=$!
box=
for _ in $(seq 200); do
  box=$(xdotool search --onlyvisible --pid "$BAR_PID" 2>/dev/null | head -n 1)
  [ -n "$box" ] && break
  sleep 0.05
done
[ -n "$box" ] || fail "no refusal box for the second auto-hide bar"
sleep 0.3
screenshot autohide-refused
xdotool windowactivate --sync "$box" key Return
second=
for _ in $(seq 200); do
  second=$(xdotool search --all --onlyvisible --pid "$BAR_PID" --name '^Parvo$' 2>/dev/null | grep -v "^$box\$" | head -n 1)
  [ -n "$second" ] && break
  sleep 0.05
done
[ -n "$second" ] || fail "the second bar did not appear after the box"
expect_place "$second" "0 0 1280 28" "the refused bar"
expect_work_area "0, 28, 1280, 772" "the refused bar docks normally"
xprop -root _PARVO_AUTOHIDE_BAR_TOP | grep -qi "$(printf '0x%x' "$first")" || fail "the first bar lost its edge"
stop_bar
BAR_PID=$FIRST_PID
stop_bar
xprop -root _PARVO_AUTOHIDE_BAR_TOP | grep -q 'not found' || fail "the auto-hide bar did not let go of its edge"

# A panel of an older kind tells only the plain strut (40 pixels at the top): the bar
# docked at the top stands below it, and the strip it reserves is its own.
xmessage -title "old panel" -geometry 1280x40+0+0 "old panel" &
PANEL_PID=$!
panel=$(wait_for_window "old panel") || fail "the old panel did not appear"
xprop -id "$panel" -f _NET_WM_STRUT 32c -set _NET_WM_STRUT "0, 0, 40, 0"
expect_work_area "0, 40, 1280, 760" "the old panel's strut"
write_settings 2 0
start_bar
expect_place "$bar" "0 40 1280 28" "docked below the old panel"
expect_strut "$bar" "0, 0, 68, 0, 0, 0, 0, 0, 0, 1279, 0, 0" "docked below the old panel"
expect_work_area "0, 68, 1280, 732" "docked below the old panel"
stop_bar
kill "$PANEL_PID"

x11_stop
echo "docking test passed"
