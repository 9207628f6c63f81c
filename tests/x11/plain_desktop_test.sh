#!/bin/sh
# The bar where the desktop helps less: a window manager that knows no dock windows (the
# docked bar has no frame and stands exactly at its edge all the same), a Wayland session
# (the bar runs on its X server and docks), and no X display at all (the user is told).
# usage: plain_desktop_test.sh PROGRAM_DIR SCREENSHOT_DIR
set -u
SCREENSHOT_DIR=$2
mkdir -p "$SCREENSHOT_DIR"
. "$(dirname "$0")/x11_session.sh"
x11_start "$1"

# No display to reach: a message saying so, and no bar.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$PROG/parvo" 2>&1)
code=$?
[ "$code" = 1 ] || fail "without a display the bar ended with $code"
echo "$out" | grep -q "X11" || fail "without a display nobody is told: $out"

# A Wayland session: the bar still takes the X11 way, and docks.
write_settings 2 0
export WAYLAND_DISPLAY=wayland-parvo-test XDG_SESSION_TYPE=wayland
start_bar
expect_place "$bar" "0 0 1280 28" "docked top in a Wayland session"
expect_strut "$bar" "0, 0, 28, 0, 0, 0, 0, 0, 0, 1279, 0, 0" "top strut in a Wayland session"
stop_bar
unset WAYLAND_DISPLAY XDG_SESSION_TYPE

# A window manager without dock windows: nothing frames or moves the docked bar.
kill "$WM_PID"
wait "$WM_PID" 2>/dev/null
twm >/dev/null 2>&1 &
WM_PID=$!
sleep 1
write_settings 4 0
start_bar
expect_place "$bar" "0 772 1280 28" "docked bottom under a plain window manager"
root=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
xwininfo -tree -id "$bar" | grep -q "Parent window id: $root" || fail "the docked bar is framed: $(xwininfo -tree -id "$bar" | grep Parent)"
screenshot plain-wm-bottom

# Dragged off its edge it becomes a window the window manager frames and moves.
drag 4 790 640,700 640,500 640,400
for _ in $(seq 40); do xwininfo -tree -id "$bar" | grep -q "Parent window id: $root" || break; sleep 0.05; done
xwininfo -tree -id "$bar" | grep -q "Parent window id: $root" && fail "the floating bar has no frame"
stop_bar

x11_stop
echo "plain desktop test passed"
