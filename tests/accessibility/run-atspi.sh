#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# run-atspi.sh BIN_DIR: starts Orbisk under Xvfb on a session bus of its own
# with the accessibility bus running, and walks its window over AT-SPI
# (atspi_walk.py). Its first map may fail to load; the window is what counts.
set -euo pipefail
bin=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache
export XDG_RUNTIME_DIR=$home/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
export ORBISK_PROGRAM_DIR=$bin
# One display for all: the accessibility registry needs it as the client
# does. A client that could not start at all (a display lost to another
# server starting at the same moment) is tried again, twice at most; what
# the walk finds wrong is never retried.
for attempt in 1 2 3; do
    status=0
    xvfb-run -a -n 250 -s "-screen 0 1024x768x24" dbus-run-session -- bash -c '
        /usr/libexec/at-spi-bus-launcher --launch-immediately &
        launcher=$!
        "$0/orbisk" > "$HOME/client.log" 2>&1 &
        client=$!
        status=0
        /usr/bin/python3 "$1/atspi_walk.py" orbisk || status=$?
        kill "$client" "$launcher" 2>/dev/null || true
        wait 2>/dev/null || true
        [ "$status" = 0 ] || tail -n 20 "$HOME/client.log"
        exit "$status"
    ' "$bin" "$here" || status=$?
    [ "$status" = 3 ] || exit "$status"
    echo "atspi: attempt $attempt: the client did not start; trying again"
done
exit 1
