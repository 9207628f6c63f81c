#!/bin/sh
# The real program on a virtual display: the GO! button opens the GO! dialog, a typed
# address goes to the desktop's default browser as one argument, exactly as typed, and
# enters the address history in the registry file.
# usage: go_test.sh PROGRAM_DIR SCREENSHOT_DIR
set -u
SCREENSHOT_DIR=$2
mkdir -p "$SCREENSHOT_DIR"
. "$(dirname "$0")/x11_session.sh"
x11_start "$1"

# The default browser of this private desktop: a script that writes down its arguments,
# one a line, between two marks.
cat > "$TMP/bin/navigatore" <<STUB
#!/bin/sh
{ echo BEGIN; for a in "\$@"; do printf '%s\n' "\$a"; done; echo END; } >> "$TMP/browser-args"
STUB
chmod +x "$TMP/bin/navigatore"
mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME"
cat > "$XDG_DATA_HOME/applications/navigatore.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Name=Navigatore
Exec=$TMP/bin/navigatore %u
MimeType=x-scheme-handler/http;x-scheme-handler/https;
ENTRY
printf '[Default Applications]\nx-scheme-handler/http=navigatore.desktop\nx-scheme-handler/https=navigatore.desktop\n' \
  > "$XDG_CONFIG_HOME/mimeapps.list"

"$PROG/parvo" &
BAR_PID=$!
bar=$(wait_for_window Parvo) || fail "the bar window did not appear"
sleep 0.5

hint="- GO! --> pagina Web / programma..."
point_at_hint "$bar" "$hint" || fail "no button shows the hint \"$hint\""
xdotool click 1
# Away from the button, whose hint window bears the same text as the dialog's title.
xdotool mousemove 5 700
# dialog_window: the id of the visible window titled like the hint but as wide as the dialog.
dialog_window() {
  for w in $(xdotool search --onlyvisible --name "^$hint" 2>/dev/null); do
    xwininfo -id "$w" | grep -q 'Width: 496$' && { echo "$w"; return 0; }
  done
  return 1
}
dialog=
for _ in $(seq 100); do dialog=$(dialog_window) && break; sleep 0.05; done
[ -n "$dialog" ] || { screenshot go-missing; fail "the GO! dialog did not open"; }
sleep 0.3
screenshot go-dialog

# Blanks, quotes and a command substitution stay inside the one argument.
address='www.example.org/cerca?q=a b&c="d";$(touch x)'
xdotool type --delay 20 "$address"
xdotool key Return
for _ in $(seq 100); do [ -s "$TMP/browser-args" ] && break; sleep 0.05; done
[ -s "$TMP/browser-args" ] || { screenshot go-after; fail "the browser was not started"; }
args=$(sed -n '/^BEGIN$/,/^END$/p' "$TMP/browser-args" | sed '1d;$d' | grep -v '^--$')
[ "$args" = "$address" ] || fail "the browser got [$args] instead of [$address]"
[ ! -e x ] && [ ! -e "$TMP/x" ] || fail "the address ran a command"
xwininfo -id "$dialog" 2>/dev/null | grep -q IsViewable && fail "the dialog stayed open"

# The address history holds the address in the registry file, written whole.
reg="$XDG_CONFIG_HOME/parvo/registry.reg"
grep -q '^\[HKEY_CURRENT_USER\\SOFTWARE\\Tessaline\\Parvo\\HistoryLinks\]' "$reg" || fail "no address history in $reg"
grep -qF '"L0"="www.example.org/cerca?q=a b&c=\"d\";$(touch x)"' "$reg" || fail "the history lacks the address: $(cat "$reg")"

x11_stop
echo PASS
