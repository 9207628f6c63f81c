#!/bin/sh
# Runs the start-up benchmark on a private virtual display with a window manager, the
# bar in a copy of the program folder with a new user's folders.
# usage: bench/run_startup.sh BUILD_DIR [RUNS]
set -u
build=$(cd "${1:-build}" && pwd)
SCREENSHOT_DIR=/tmp
. "$(dirname "$0")/../tests/x11/x11_session.sh"
x11_start "$build/program"
"$build/bench/startup_bench" "$PROG/parvo" "$build/bench/bench_floor_window" "${2:-7}"
code=$?
x11_stop
exit $code
