#!/bin/sh
# Runs the start-up benchmark on a private virtual display with a window manager; every
# scenario gets a user and a copy of the program folder of its own.
# usage: bench/run_startup.sh BUILD_DIR [RUNS]
set -u
build=$(cd "${1:-build}" && pwd)
SCREENSHOT_DIR=/tmp
. "$(dirname "$0")/../tests/x11/x11_session.sh"
x11_start "$build/program"
# A desktop has a session bus, and Qt connects to it for accessibility: the programs are
# measured with one where its daemon is installed.
bus=
if command -v dbus-run-session >/dev/null; then
  bus="dbus-run-session --"
  echo "with a session bus of its own"
else
  echo "without a session bus"
fi
$bus "$build/bench/startup_bench" "$build/program" "$build/bench/bench_floor_window" "$TMP/bench" "${2:-11}"
code=$?
x11_stop
exit $code
