#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# make run: start orbisk-server unless this account's is listening, then the client.
# Without a display the client runs under Xvfb, pictures its first map into
# build/screenshot.png and exits.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=build/${PRESET:-default}/bin

if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
fi
# Where this account's server says it listens: 127.0.0.1:8642, or a free
# port when another account holds that one.
address_file=$XDG_RUNTIME_DIR/orbisk/server-address
published() {
    [ -s "$address_file" ] && (exec 3<>"/dev/tcp/$(sed 's|:|/|' "$address_file")") 2>/dev/null
}

server_pid=""
stop_server() { [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null; true; }
trap stop_server EXIT

if ! published; then
    "$bin/orbisk-server" --quiet &
    server_pid=$!
    for _ in $(seq 50); do
        published && break
        # It stops at once when a server of this account already holds the port.
        kill -0 "$server_pid" 2>/dev/null || { server_pid=""; break; }
        sleep 0.1
    done
    [ -z "$server_pid" ] || published || { echo "orbisk-server did not start" >&2; exit 1; }
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    "$bin/orbisk" "$@"
else
    picture=$PWD/build/screenshot.png
    xvfb-run -a -s "-screen 0 1024x768x24" "$bin/orbisk" --screenshot "$picture" "$@" 2>/dev/null
    echo "No display here: Orbisk ran under Xvfb and its first map is in $picture"
fi
