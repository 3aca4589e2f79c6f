#!/bin/sh
# What a screen reader finds in the bench: starts it in a scratch copy of
# the lab folder under a virtual X server and a session bus of its own, with
# Qt's accessibility on, and walks a student through it over AT-SPI as a
# screen reader can (tools/screen-reader/read-bench.py: names, roles, states,
# values and actions, no mouse). What it read on each page is written to
# docs/screen-reader.txt.
set -eu
OPLAB_ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$OPLAB_ROOT/scripts/setup.sh"
oplab_build
# shellcheck disable=SC2086
oplab_install $oplab_reader_packages

lab=$(mktemp -d)
runtime=$(mktemp -d)
trap 'rm -rf "$lab" "$runtime"' EXIT
chmod 700 "$runtime"
cp "$OPLAB_BUILD"/lab/* "$lab"/
out="$OPLAB_ROOT/docs/screen-reader.txt"
cd "$lab"
export OPLAB_ROOT OPLAB_BUILD out
# The bus launcher and the registry are started by the session bus when the
# bench and the reader first ask for them; only the reader's lines are kept.
LC_ALL=ru_RU.UTF-8 LANG=ru_RU.UTF-8 XDG_RUNTIME_DIR="$runtime" \
    dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$OPLAB_BUILD/bin/oplab" &
        bench=$!
        status=0
        /usr/bin/python3 "$OPLAB_ROOT/tools/screen-reader/read-bench.py" \
            "$OPLAB_ROOT/data/Qest.aiken.txt" "$OPLAB_ROOT/data/Qest1.aiken.txt" > "$out" || status=$?
        if [ "$status" -ne 0 ]; then kill "$bench" 2>/dev/null || true; fi
        wait "$bench" || true
        exit "$status"' > /dev/null
echo "$out"
