#!/bin/sh
# The bar on scaled screens: the window system counts in physical pixels, so the docked
# strip it reserves and the work area it leaves must be the bar's real size, at 150 %
# (Xft.dpi 144) as at a scale factor of 2.
# usage: scaled_test.sh PROGRAM_DIR SCREENSHOT_DIR
set -u
SCREENSHOT_DIR=$2
mkdir -p "$SCREENSHOT_DIR"
. "$(dirname "$0")/x11_session.sh"
x11_start "$1"

# 150 %: 42 pixels high at the bottom, 54 wide at the right.
echo "Xft.dpi: 144" | xrdb -merge
write_settings 4 0
start_bar
expect_place "$bar" "0 758 1280 42" "bottom at 150 %"
expect_strut "$bar" "0, 0, 0, 42, 0, 0, 0, 0, 0, 0, 0, 1279" "bottom strut at 150 %"
expect_work_area "0, 0, 1280, 758" "bottom at 150 %"
screenshot scaled-150-bottom
stop_bar
write_settings 3 0
start_bar
expect_place "$bar" "1226 0 54 800" "right at 150 %"
expect_strut "$bar" "0, 54, 0, 0, 0, 0, 0, 799, 0, 0, 0, 0" "right strut at 150 %"
expect_work_area "0, 0, 1226, 800" "right at 150 %"
stop_bar
xrdb -remove

# Twice the size: 72 pixels wide at the right, 56 high at the top.
export QT_SCALE_FACTOR=2
start_bar
expect_place "$bar" "1208 0 72 800" "right at scale 2"
expect_strut "$bar" "0, 72, 0, 0, 0, 0, 0, 799, 0, 0, 0, 0" "right strut at scale 2"
expect_work_area "0, 0, 1208, 800" "right at scale 2"
screenshot scaled-2-right
stop_bar
write_settings 2 0
start_bar
expect_place "$bar" "0 0 1280 56" "top at scale 2"
expect_strut "$bar" "0, 0, 56, 0, 0, 0, 0, 0, 0, 1279, 0, 0" "top strut at scale 2"
expect_work_area "0, 56, 1280, 744" "top at scale 2"
stop_bar
unset QT_SCALE_FACTOR

x11_stop
echo "scaled test passed"
