#!/bin/sh
# A program folder whose glyph strip is missing: the user is told, the program ends with
# an error code, and nothing of the user's settings is written.
# usage: damaged_branding_test.sh PROGRAM_DIR
set -u
SCREENSHOT_DIR=${2:-/tmp}
. "$(dirname "$0")/x11_session.sh"
x11_start "$1"

check_refuses() {
  "$PROG/parvo" &
  BAR_PID=$!
  box=$(wait_for_window Parvo) || fail "$1: no message box"
  xdotool windowactivate --sync "$box" key Return
  wait "$BAR_PID"
  code=$?
  BAR_PID=
  [ "$code" != 0 ] || fail "$1: the program ended with code 0"
  [ -e "$XDG_CONFIG_HOME/parvo/registry.reg" ] && fail "$1: settings were written"
  [ -e "$PROG/data" ] && fail "$1: lists were created"
  return 0
}

cp "$PROG/data5.mke" "$TMP/data5.keep"
rm "$PROG/data5.mke"
check_refuses "missing glyph strip"
printf 'not a picture' > "$PROG/data5.mke"
check_refuses "glyph strip that is not a picture"
cp "$TMP/data5.keep" "$PROG/data5.mke"
head -c 100 "$PROG/data1.mke" > "$TMP/short" && mv "$TMP/short" "$PROG/data1.mke"
check_refuses "branding records cut short"

x11_stop
echo "damaged branding test passed"
