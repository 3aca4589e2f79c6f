#!/bin/sh
# Installs what is missing, builds, and runs the whole suite through CTest
# on the offscreen platform.
set -eu
OPLAB_ROOT=$(cd "$(dirname "$0")" && pwd)
. "$OPLAB_ROOT/scripts/setup.sh"
oplab_build
QT_QPA_PLATFORM=offscreen ctest --test-dir "$OPLAB_BUILD" --output-on-failure -j "$(nproc)"
