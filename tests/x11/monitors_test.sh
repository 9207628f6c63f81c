#!/bin/sh
# The bar on two monitors side by side (one wide screen split in two): it docks at the
# edges of the monitor under the pointer, reserves only edges of the whole desktop (an
# edge between the monitors gets no strip; the bar stays above the windows there), hides
# onto its own monitor, and follows the monitors when they change, docked, hidden or
# floating.
# usage: monitors_test.sh PROGRAM_DIR SCREENSHOT_DIR
set -u
SCREENSHOT_DIR=$2
mkdir -p "$SCREENSHOT_DIR"
. "$(dirname "$0")/x11_session.sh"
x11_start "$1" 2560x800
# resize_a LINES: the first monitor, A, changes to that many lines (and comes after B).
resize_a() {
  xrandr --delmonitor A >/dev/null 2>&1
  xrandr --setmonitor A 1280/338x$1/270+0+0 screen >/dev/null 2>&1
}
# b_after_a: B comes after A again, and A is the first monitor a bar starts on.
b_after_a() {
  xrandr --delmonitor B >/dev/null 2>&1
  xrandr --setmonitor B 1280/338x800/270+1280+0 none >/dev/null 2>&1
}
resize_a 800
b_after_a
xrandr --listmonitors | grep -q 'Monitors: 2' || fail "no two monitors: $(xrandr --listmonitors)"
sleep 0.5

# At the top of the first monitor: only its width is reserved.
write_settings 2 0
start_bar
expect_place "$bar" "0 0 1280 28" "top of the first monitor"
expect_strut "$bar" "0, 0, 28, 0, 0, 0, 0, 0, 0, 1279, 0, 0" "top of the first monitor"
expect_work_area "0, 28, 2560, 772" "top of the first monitor"

# Dragged to the far right of the second monitor, it docks there.
drag 4 10 640,300 1800,400 2500,400 2559,400
expect_place "$bar" "2524 0 36 800" "right of the second monitor"
expect_strut "$bar" "0, 36, 0, 0, 0, 0, 0, 799, 0, 0, 0, 0" "right of the second monitor"
expect_work_area "0, 0, 2524, 800" "right of the second monitor"
screenshot monitors-right
expect_saved '"Floating"=dword:00000003' "the right edge was not saved"

# At the edge between the monitors it reserves nothing, and stays above the windows.
drag 2540 5 2300,300 1800,400 1290,400 1281,400
expect_place "$bar" "1280 0 36 800" "left of the second monitor"
for _ in $(seq 40); do xprop -id "$bar" _NET_WM_STRUT_PARTIAL | grep -q 'not found' && break; sleep 0.05; done
xprop -id "$bar" _NET_WM_STRUT_PARTIAL | grep -q 'not found' || fail "a strip between the monitors: $(xprop -id "$bar" _NET_WM_STRUT_PARTIAL)"
expect_work_area "0, 0, 2560, 800" "between the monitors"
xprop -id "$bar" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "between the monitors, the bar is not above"
stop_bar

# Hidden between the monitors, it keeps to its own: two pixels at the first one's edge.
write_settings 3 1
xdotool mousemove 640 400
start_bar
expect_place "$bar" "1278 0 2 800" "auto-hidden between the monitors"
xdotool mousemove 1279 400
expect_place "$bar" "1244 0 36 800" "auto-hide bar out at the pointer"
xdotool mousemove 640 400
sleep 0.5
expect_place "$bar" "1278 0 2 800" "auto-hide bar back"
stop_bar

# A hidden bar at the bottom follows its monitor to a lower resolution...
write_settings 4 1
start_bar
expect_place "$bar" "0 798 1280 28" "auto-hidden at the bottom"
resize_a 720
expect_place "$bar" "0 718 1280 28" "its monitor back at 720 lines"
screenshot monitors-changed
stop_bar

# ...and so does a docked one, its strip still counted from the bottom of the desktop.
b_after_a
write_settings 4 0
start_bar
expect_place "$bar" "0 692 1280 28" "docked at the bottom of 720 lines"
expect_strut "$bar" "0, 0, 0, 108, 0, 0, 0, 0, 0, 0, 0, 1279" "docked at the bottom of 720 lines"
resize_a 800
expect_place "$bar" "0 772 1280 28" "docked at the bottom of 800 lines again"
expect_work_area "0, 0, 2560, 772" "docked at the bottom of 800 lines again"
stop_bar

# A floating bar on a monitor that goes away comes onto the one left, and stays there.
b_after_a
write_settings 0 0
sed -i 's/"Lewa"=dword:00000064/"Lewa"=dword:000007d0/' "$XDG_CONFIG_HOME/parvo/registry.reg"
start_bar
expect_place "$bar" "2000 100 600 22" "floating on the second monitor"
xrandr --delmonitor B >/dev/null 2>&1
expect_place "$bar" "680 100 600 22" "floating after the second monitor went"
expect_saved '"Lewa"=dword:000002a8' "the floating place on the monitor left was not saved"
stop_bar

x11_stop
echo "monitors test passed"
