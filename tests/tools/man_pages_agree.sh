#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every option a program's --help names is described on its manual page.
set -euo pipefail
man_dir=$1
shift
status=0
for program in "$@"; do
    page="$man_dir/$(basename "$program").1"
    text=$(sed 's/\\-/-/g; s/\\f[BIRP]//g' "$page")
    for option in $("$program" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
        if ! grep -q -- "$option" <<<"$text"; then
            echo "$(basename "$program") --help names $option; $page does not" >&2
            status=1
        fi
    done
done
exit $status
