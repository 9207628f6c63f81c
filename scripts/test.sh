#!/bin/sh
# Builds Parvo and runs the whole test suite (unit, ui, x11 and fuzz tests).
set -e
cd "$(dirname "$0")/.."
. scripts/packages.sh
parvo_install_packages $PARVO_BUILD_PACKAGES $PARVO_DESKTOP_PACKAGES $PARVO_TEST_PACKAGES
parvo_build build
cd build
ctest --output-on-failure --parallel "$(nproc)" "$@"
