#!/bin/sh
# Makes the README's pictures again: builds, then walks a student through
# the real window under a virtual X server (xvfb-run) in a scratch copy of
# the lab folder, and saves the pages to docs/screenshots/.
set -eu
OPLAB_ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$OPLAB_ROOT/scripts/setup.sh"
oplab_build

lab=$(mktemp -d)
runtime=$(mktemp -d)
trap 'rm -rf "$lab" "$runtime"' EXIT
cp "$OPLAB_BUILD"/lab/* "$lab"/
out="$OPLAB_ROOT/docs/screenshots"
mkdir -p "$out"
cd "$lab"
# A Russian lab: the regional decimal separator is the comma.
# The screen holds the window maximised on 1920 x 1080.
LC_ALL=ru_RU.UTF-8 LANG=ru_RU.UTF-8 XDG_RUNTIME_DIR="$runtime" xvfb-run -a -s "-screen 0 1920x1080x24" \
    "$OPLAB_BUILD/tools/screenshots/oplab-shots" "$out"
# The instructor's window on the journal of a whole class.
# At the size of its first start on a screen of 1024 x 768, the history in
# the scratch folder.
XDG_RUNTIME_DIR="$runtime" XDG_CONFIG_HOME="$runtime" XDG_DATA_HOME="$runtime" xvfb-run -a -s "-screen 0 1024x768x24" \
    "$OPLAB_BUILD/tools/screenshots/oplab-journal-shots" "$out"
