#!/bin/sh
# An installed copy under a temporary prefix: the layout the desktop expects, and a bar
# that starts from PREFIX/bin/parvo for an ordinary user and keeps that user's lists in
# $XDG_DATA_HOME/parvo/, where a second start finds them.
# usage: install_test.sh BUILD_DIR
set -u
SCREENSHOT_DIR=/tmp
. "$(dirname "$0")/x11_session.sh"
x11_start "$1/program"

prefix=$TMP/prefix
cmake --install "$1" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
[ "$(readlink "$prefix/bin/parvo")" = ../lib/parvo/parvo ] || fail "bin/parvo does not point at the program folder"
for f in parvo data1.mke data2.mke data3.mke data4.mke data5.mke data6.mke data7.mke; do
  [ -f "$prefix/lib/parvo/$f" ] || fail "the program folder lacks $f"
done
[ -x "$prefix/lib/parvo/parvo" ] || fail "the installed program cannot be run"
for n in 16 24 32 48; do
  [ -s "$prefix/share/icons/hicolor/${n}x${n}/apps/parvo.png" ] || fail "no ${n}x${n} icon"
done
entry=$prefix/share/applications/parvo.desktop
grep -qx "Exec=$prefix/bin/parvo" "$entry" || fail "the desktop entry starts something else: $(cat "$entry")"
grep -qx "Icon=parvo" "$entry" || fail "the desktop entry names no icon"
grep -qx "Type=Application" "$entry" || fail "the desktop entry is no application"

# The user is not root and cannot write the installed folder.
chmod -R a-w "$prefix/lib/parvo"
chmod 755 "$TMP"
runner=
if [ "$(id -u)" = 0 ]; then
  chown -R nobody "$TMP/home" "$TMP/config" "$TMP/data" "$TMP/cache" "$TMP/run"
  runner="setpriv --reuid=nobody --regid=nogroup --clear-groups"
fi
start_bar() {
  $runner "$prefix/bin/parvo" &
  BAR_PID=$!
  wait_for_window Parvo >/dev/null || fail "the installed bar did not start"
  sleep 0.5
  kill -TERM "$BAR_PID"
  wait "$BAR_PID"; code=$?; BAR_PID=
  [ "$code" = 0 ] || fail "the installed bar ended with $code"
}

start_bar
lists=$XDG_DATA_HOME/parvo
[ -f "$lists/data/shortcut.mke" ] || fail "no shortcut list in $lists/data"
[ -f "$lists/data/efolder.mke" ] || fail "no favourite-folder list in $lists/data"
[ -d "$lists/links" ] || fail "no links folder in $lists"
[ -e "$prefix/lib/parvo/data" ] && fail "a data folder appeared in the installed program folder"
grep -qF '"FirstLoad"=dword:00000000' "$XDG_CONFIG_HOME/parvo/registry.reg" || fail "the first run did not end"

# The next start finds the lists where it left them.
printf 'Progetti|%s/Documents>11\r\n' "$HOME" >> "$lists/data/efolder.mke"
before=$(md5sum "$lists/data/efolder.mke" "$lists/data/shortcut.mke")
start_bar
[ "$(md5sum "$lists/data/efolder.mke" "$lists/data/shortcut.mke")" = "$before" ] \
  || fail "a second start changed the lists"
chmod -R u+w "$prefix"
x11_stop
echo "install test passed"
