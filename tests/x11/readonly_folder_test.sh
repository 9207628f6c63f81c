#!/bin/sh
# A program folder the user cannot write to (a system-wide install): the bar still
# starts, and its settings and lists are stored in the user's own folders.
# usage: readonly_folder_test.sh PROGRAM_DIR
set -u
SCREENSHOT_DIR=/tmp
. "$(dirname "$0")/x11_session.sh"
x11_start "$1"

# Root writes anywhere, so the bar runs as an ordinary user of its own.
chown -R nobody "$TMP/home" "$TMP/config" "$TMP/data" "$TMP/cache" "$TMP/run"
chmod 755 "$TMP"
chmod -R a-w "$PROG"
setpriv --reuid=nobody --regid=nogroup --clear-groups "$PROG/parvo" &
BAR_PID=$!
bar=$(wait_for_window Parvo) || fail "the bar did not start from a read-only folder"
kill -0 "$BAR_PID" || fail "the bar ended"
# A first run stores its settings and lists once the bar is painted, a moment after it
# appears.
expect_saved '"FirstLoad"=dword:00000000' "settings were not stored"
# The lists go to the user's data folder instead.
for _ in $(seq 100); do
  [ -f "$XDG_DATA_HOME/parvo/data/shortcut.mke" ] && [ -f "$XDG_DATA_HOME/parvo/data/efolder.mke" ] && break
  sleep 0.05
done
[ -f "$XDG_DATA_HOME/parvo/data/shortcut.mke" ] || fail "no shortcut list in the user's data folder"
[ -f "$XDG_DATA_HOME/parvo/data/efolder.mke" ] || fail "no favourite-folder list in the user's data folder"
[ -e "$PROG/data" ] && fail "a data folder appeared in the read-only program folder"
kill -TERM "$BAR_PID"
wait "$BAR_PID"; code=$?; BAR_PID=
[ "$code" = 0 ] || fail "the bar ended with $code"
x11_stop
echo "read-only folder test passed"
