# Sourced by run.sh and test.sh: the Debian packages Parvo needs, and their installation.

PARVO_BUILD_PACKAGES="cmake ninja-build pkg-config clang lld libclang-rt-14-dev qt6-base-dev qt6-base-dev-tools
  qt6-qpa-plugins qt6-translations-l10n libxcb1-dev libxcb-ewmh-dev libfontconfig-dev libzip-dev libchm-dev fonts-dejavu-core"
PARVO_DESKTOP_PACKAGES="xvfb openbox xdotool x11-utils x11-xserver-utils imagemagick"
PARVO_TEST_PACKAGES="libgtest-dev liblnk-utils zip unzip dbus-daemon twm libchm-bin"

# parvo_install_packages PACKAGE...: installs what is missing (as root), or names it.
parvo_install_packages() {
  missing=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" = 0 ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --no-install-recommends $missing >/dev/null || {
      echo "apt-get could not install:$missing" >&2; return 1; }
  else
    echo "Parvo needs these Debian packages; install them as root first:" >&2
    echo "  apt-get update && apt-get install -y$missing" >&2
    return 1
  fi
}

# parvo_build [BUILD_DIR [CMAKE_OPTION...]]: configures (with the options, the first
# time) and builds the whole project with clang.
parvo_build() {
  build=${1:-build}
  [ $# -gt 0 ] && shift
  if [ ! -f "$build/build.ninja" ]; then
    # A compiler cache, where the machine has one, makes rebuilds in other checkouts cheap.
    launcher=""
    command -v ccache >/dev/null 2>&1 && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
    CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $launcher "$@" >/dev/null || return 1
  fi
  cmake --build "$build" --parallel "$(nproc)"
}
