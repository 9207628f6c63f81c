#!/bin/sh
# Builds Parvo and runs the whole test suite (unit, ui, x11 and fuzz tests), then the X11
# tests once more on a build instrumented with AddressSanitizer and UBSan (build-asan/).
# Arguments go to ctest and choose a part of the first run; the second is then left out.
set -e
cd "$(dirname "$0")/.."
. scripts/packages.sh
parvo_install_packages $PARVO_BUILD_PACKAGES $PARVO_DESKTOP_PACKAGES $PARVO_TEST_PACKAGES
parvo_build build
# A test that fails is run once more before the suite counts it as failed: the X11 tests
# share the machine's cores with each other, and a start-up now and then takes longer
# than they wait. A fault that is really there fails both times.
(cd build && ctest --output-on-failure --parallel "$(nproc)" --repeat until-pass:2 "$@")
[ $# -eq 0 ] || exit 0
parvo_build build-asan -DPARVO_SANITIZE=ON
cd build-asan
ctest --output-on-failure --parallel "$(nproc)" --repeat until-pass:2 -L x11
