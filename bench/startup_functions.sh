#!/bin/sh
# Writes src/app/startup-functions.txt: the program's own functions that run while the bar
# starts and settles (its first seconds: start-up and the work deferred past the first
# painting), sorted by name, so that the list changes only where start-up does. The
# linker lays them out together, so that starting touches a few pages of the program
# instead of nearly all of them. Run it after changes to start-up; names that no longer
# exist are passed over by the linker.
# usage: bench/startup_functions.sh BUILD_DIR   (needs valgrind)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
SCREENSHOT_DIR=/tmp
. "$root/tests/x11/x11_session.sh"
command -v valgrind >/dev/null || { echo "valgrind is needed" >&2; exit 2; }
x11_start "$build/program"
# Without its debugging information, which this valgrind may not read; the symbols stay.
strip --strip-debug "$PROG/parvo"
"$PROG/parvo" & first=$!      # the first run makes the lists; the second start is the one laid out
sleep 3; kill $first; wait $first 2>/dev/null || true
valgrind --tool=callgrind --demangle=no --callgrind-out-file="$TMP/calls" "$PROG/parvo" >/dev/null 2>&1 &
bar=$!
sleep "${STARTUP_SECONDS:-30}"
kill $bar; wait $bar 2>/dev/null || true
# Callgrind names each object (ob=) and function (fn=, cfn=) once and numbers it; a fn=
# line under the program's own object is a function of the program that ran.
awk '
  /^c?(ob|fn)=\(/ {
    key = $0; sub(/=.*/, "", key)
    id = $0; sub(/^[a-z]+=\(/, "", id); sub(/\).*/, "", id)
    name = $0; sub(/^[a-z]+=\([0-9]+\) ?/, "", name)
    if (key ~ /ob$/) { if (name != "") obj[id] = name; if (key == "ob") current = obj[id]; next }
    if (name != "") fn[id] = name
    if (key == "fn" && current ~ /\/parvo$/ && !(fn[id] in seen)) { seen[fn[id]] = 1; print fn[id] }
  }' "$TMP/calls" | sed "s/'[0-9]*$//" | grep -E '^(_Z|main$|_GLOBAL__)' | LC_ALL=C sort -u > "$root/src/app/startup-functions.txt"
x11_stop
echo "$(wc -l < "$root/src/app/startup-functions.txt") functions written to src/app/startup-functions.txt"
