#!/bin/sh
# Builds Parvo and starts the bar. Without a display it starts a virtual one with a
# window manager, starts the bar there and saves a screenshot (parvo-screenshot.png).
set -e
cd "$(dirname "$0")/.."
. scripts/packages.sh
parvo_install_packages $PARVO_BUILD_PACKAGES $PARVO_DESKTOP_PACKAGES
parvo_build build

if [ -n "$DISPLAY" ] && xdpyinfo >/dev/null 2>&1; then
  exec ./build/program/parvo
fi

display=:$(( 90 + $$ % 100 ))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $bar $wm $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
./build/program/parvo &
bar=$!
for _ in $(seq 100); do xdotool search --name '^Parvo$' >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1
import -window root parvo-screenshot.png
echo "The bar runs on the virtual display $display; screenshot saved as parvo-screenshot.png."
echo "Stop it with Ctrl+C."
wait $bar
