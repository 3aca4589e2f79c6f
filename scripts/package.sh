#!/bin/sh
# Builds the Debian package oplab_<version>_amd64.deb from the CMake install
# rules (CPack) in build-package/, with Debian's hardening flags and without
# the tests, then checks it (scripts/check-package.sh). On a fresh Debian 12
# machine it first installs what is missing.
set -eu
OPLAB_ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$OPLAB_ROOT/scripts/setup.sh"
# shellcheck disable=SC2086
oplab_install $oplab_packages $oplab_package_packages

pkg=${OPLAB_PACKAGE_BUILD:-$OPLAB_ROOT/build-package}
# Debian's hardening: stack protector, fortified functions, read-only
# relocations bound at start.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S "$OPLAB_ROOT" -B "$pkg" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DOPLAB_BUILD_TESTS=OFF -DOPLAB_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$pkg" -j "$(nproc)"
rm -f "$pkg"/oplab_*.deb
cpack -G DEB --config "$pkg/CPackConfig.cmake" -B "$pkg" >/dev/null
"$OPLAB_ROOT/scripts/check-package.sh" "$pkg"/oplab_*_amd64.deb
