#!/bin/sh
# Shared set-up of ./run.sh and ./test.sh: installs the Debian packages the
# project needs when they are missing, then configures and builds the
# Release tree in build/ (the lab folder is build/lab).
set -eu

# The scripts that source this one stand at the top of the source tree and
# set OPLAB_ROOT to it first; "$0" is theirs, not this file's.
OPLAB_ROOT=${OPLAB_ROOT:?set OPLAB_ROOT to the source tree before sourcing scripts/setup.sh}
OPLAB_BUILD=${OPLAB_BUILD:-$OPLAB_ROOT/build}

# The compiler cache names the files below the source tree by their place
# in it, so a clone in another folder (CI's) builds from what an earlier
# build of the same sources left in the cache.
export CCACHE_BASEDIR="$OPLAB_ROOT"
export CCACHE_NOHASHDIR=1

oplab_packages="build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools
qt6-svg-dev libgl-dev fonts-liberation xvfb xauth ccache"
# The instructor's window: its plots (Qt Charts, whose CMake files need Qt
# OpenGL's, which Debian leaves out of qt6-charts-dev; printing is in
# qt6-base-dev), Qt's own dialogs in Russian, and, for the test of its
# printed report and of the bench's printed page, pdftotext.
oplab_packages="$oplab_packages qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n poppler-utils"
# Fuzzing (./fuzz.sh): clang with libFuzzer and the sanitizers' runtime.
oplab_fuzz_packages="clang libclang-rt-14-dev"
# Looking at the lab folder as a student gets it on paper: 1.rtf printed
# from a word processor (soffice --headless --convert-to pdf, pdftoppm);
# the installed programs' windows as a screen shows them under Xvfb
# (xwd -root, made a PNG with xwdtopnm and pnmtopng); what a screen reader
# finds in the bench, read over AT-SPI (scripts/screen-reader.sh); the
# README's steps for a lab followed as written, as the instructor (sudo) and
# as students whose benches are driven through their windows (xdotool).
oplab_reader_packages="at-spi2-core python3-pyatspi dbus-daemon"
oplab_look_packages="libreoffice-writer-nogui poppler-utils x11-apps netpbm sudo xdotool $oplab_reader_packages"
# The Debian package (scripts/package.sh): its dependencies found by
# dpkg-shlibdeps, and the checks of lintian, desktop-file-validate,
# appstreamcli and, for the timer of `journal keep`, systemd-analyze.
oplab_package_packages="dpkg-dev file lintian desktop-file-utils appstream systemd"

oplab_install() {
    missing=""
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
    # shellcheck disable=SC2086
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
}

# The scripts build as CI does, with warnings as errors, so ./run.sh and
# ./test.sh share one build tree; a build by hand (cmake alone) shows
# warnings and goes on.
oplab_build() {
    # shellcheck disable=SC2086
    oplab_install $oplab_packages
    cmake -S "$OPLAB_ROOT" -B "$OPLAB_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOPLAB_WERROR=ON >/dev/null
    cmake --build "$OPLAB_BUILD" -j "$(nproc)"
}
