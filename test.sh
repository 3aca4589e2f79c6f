#!/bin/sh
# Installs what is missing, builds, and runs the whole suite through CTest
# on the offscreen platform; then the Debian package with its checks
# (scripts/package.sh), a short fuzzing run of every reader of
# the lab's files (./fuzz.sh), and the whole suite once more built with the
# address and undefined-behaviour sanitizers in build-asan/. Warnings stop
# every one of these builds.
#
#   ./test.sh           everything, as CI runs it
#   ./test.sh --quick   the Release build and CTest only: the loop while
#                       working (a minute or two on a built tree)
set -eu
OPLAB_ROOT=$(cd "$(dirname "$0")" && pwd)
quick=false
case "${1:-}" in
--quick) quick=true ;;
"") ;;
*) echo "usage: $0 [--quick]" >&2; exit 2 ;;
esac
. "$OPLAB_ROOT/scripts/setup.sh"
oplab_build
QT_QPA_PLATFORM=offscreen ctest --test-dir "$OPLAB_BUILD" --output-on-failure -j "$(nproc)"
$quick && exit 0

# The Debian package, built and checked: lintian, desktop-file-validate,
# appstreamcli, and its programs run unpacked.
"$OPLAB_ROOT/scripts/package.sh"

"$OPLAB_ROOT/fuzz.sh" "${OPLAB_FUZZ_SECONDS:-3}"

asan=$OPLAB_ROOT/build-asan
cmake -S "$OPLAB_ROOT" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DOPLAB_SANITIZE=ON -DOPLAB_WERROR=ON -DOPLAB_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$asan" -j "$(nproc)"
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1} \
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
QT_QPA_PLATFORM=offscreen ctest --test-dir "$asan" --output-on-failure -j "$(nproc)"
