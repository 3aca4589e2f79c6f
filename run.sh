#!/bin/sh
# Installs what is missing, builds, and starts the bench in the ready lab
# folder of the build tree.
set -eu
OPLAB_ROOT=$(cd "$(dirname "$0")" && pwd)
. "$OPLAB_ROOT/scripts/setup.sh"
oplab_build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "oplab needs a display. Without one, run it under a virtual X server:" >&2
    echo "    xvfb-run -a ./run.sh" >&2
    exit 1
fi
cd "$OPLAB_BUILD/lab"
exec "$OPLAB_BUILD/bin/oplab"
