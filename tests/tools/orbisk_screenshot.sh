#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# orbisk --screenshot with nobody at the screen: a dialog or the local error
# page ends the run with status 1 and no picture, instead of waiting or
# passing an error page off as the map.
set -u
. "$(dirname "$0")/checks.sh"
client=$1
export QT_QPA_PLATFORM=offscreen HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data \
    XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$work/run"

printf 'not a marker set' > "$work/broken.obk"
timeout 60 "$client" --screenshot "$work/shot.png" "$work/broken.obk" 2> "$work/err"; rc=$?
check test "$rc" = 1
check grep -q "stopped at a dialog: Failed to load marker set" "$work/err"
check test ! -e "$work/shot.png"

report
