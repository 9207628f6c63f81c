#!/bin/sh
# Runs the menu-memory benchmark on a private virtual display with a window manager, with
# a new user's folders (and a few favourites) and a copy of the program folder.
# usage: bench/run_menu_memory.sh BUILD_DIR [ROUNDS]
set -u
build=$(cd "${1:-build}" && pwd)
SCREENSHOT_DIR=/tmp
. "$(dirname "$0")/../tests/x11/x11_session.sh"
x11_start "$build/program"
# Favourites to open: web links and a folder of them, as the desktop's Favorites folder holds.
fav="$XDG_DATA_HOME/parvo/Favorites"
mkdir -p "$fav/Notizie"
for name in Giornale Meteo Treni; do
  printf '[InternetShortcut]\r\nURL=https://example.org/%s\r\n' "$name" > "$fav/$name.url"
  printf '[InternetShortcut]\r\nURL=https://example.org/news/%s\r\n' "$name" > "$fav/Notizie/$name.url"
done
"$build/bench/menu_memory_bench" "$PROG" "${2:-200}"
code=$?
x11_stop
exit $code
