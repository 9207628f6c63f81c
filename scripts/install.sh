#!/bin/sh
# Builds Parvo and installs it for every user of this machine: the program folder in
# PREFIX/lib/parvo, the command PREFIX/bin/parvo, its desktop entry and icon.
# usage: install.sh [PREFIX]      (default /usr/local; writing there needs root)
set -e
cd "$(dirname "$0")/.."
. scripts/packages.sh
parvo_install_packages $PARVO_BUILD_PACKAGES
parvo_build build
cmake --install build --prefix "${1:-/usr/local}"
