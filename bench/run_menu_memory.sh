#!/bin/sh
# Runs the menu-memory benchmark on a private virtual display with a window manager, with
# a new user's folders and a copy of the program folder.
# usage: bench/run_menu_memory.sh BUILD_DIR [ROUNDS]
set -u
build=$(cd "${1:-build}" && pwd)
SCREENSHOT_DIR=/tmp
. "$(dirname "$0")/../tests/x11/x11_session.sh"
x11_start "$build/program"
"$build/bench/menu_memory_bench" "$PROG" "${2:-200}"
code=$?
x11_stop
exit $code
