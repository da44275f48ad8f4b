#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Brings the translation sources up to date with the texts in src/: the
# French file whole, the English one for its plural forms only. With
# --check, updates copies instead and fails when a text is new (unfinished)
# or gone (obsolete or vanished): the files in git must be complete.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
[ -x "$lupdate" ] || lupdate=$(command -v lupdate)
ts="$root/resources/translations"
options=(-locations none -tr-function-alias translate+=Tr,QT_TRANSLATE_NOOP+=ORBISK_NOOP,QT_TRANSLATE_N_NOOP+=ORBISK_N_NOOP -silent)

if [ "${1:-}" != "--check" ]; then
    "$lupdate" "${options[@]}" -no-obsolete "$root/src" -ts "$ts/orbisk_fr_CA.ts"
    "$lupdate" "${options[@]}" -no-obsolete -pluralonly "$root/src" -ts "$ts/orbisk_en.ts"
    exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$ts"/orbisk_fr_CA.ts "$ts"/orbisk_en.ts "$work/"
"$lupdate" "${options[@]}" "$root/src" -ts "$work/orbisk_fr_CA.ts"
"$lupdate" "${options[@]}" -pluralonly "$root/src" -ts "$work/orbisk_en.ts"
status=0
for file in "$work"/*.ts; do
    name=$(basename "$file")
    messages=$(grep -c '<message' "$file" || true)
    incomplete=$(grep -cE 'type="(unfinished|obsolete|vanished)"' "$file" || true)
    echo "$name: $messages texts, $incomplete unfinished or obsolete"
    if [ "$incomplete" -ne 0 ]; then
        grep -B3 -E 'type="(unfinished|obsolete|vanished)"' "$file" | grep '<source>' | head -20 >&2
        status=1
    fi
    [ "$messages" -gt 0 ] || status=1
done
exit $status
