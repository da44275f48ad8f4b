#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian source package: made from the release's upstream tarballs,
# built twice with no network in two different folders, the two results
# compared byte for byte, and the three binary packages then linted,
# installed, tried as two users and purged by scripts/check-package.sh.
# Run as root on a machine where it may install.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(dpkg-parsechangelog -S Version)
upstream=${version%-*}

scripts/source-tarballs.sh "$work"
(cd "$work" && tar -xf "orbisk_$upstream.orig.tar.xz" \
    && mkdir "orbisk-$upstream/data-modules" \
    && tar -xf "orbisk_$upstream.orig-data-modules.tar.xz" -C "orbisk-$upstream/data-modules" --strip-components=1 \
    && dpkg-source -b "orbisk-$upstream" > /dev/null)

# A build with no way out: loopback only, so the tests still have a network.
build_in() {
    mkdir -p "$1"
    (cd "$1" && dpkg-source -x "$work/orbisk_$version.dsc" tree > /dev/null)
    unshare --net sh -c "ip link set lo up && cd '$1/tree' && dpkg-buildpackage -us -uc -b"
}
build_in "$work/first"
build_in "$work/second/elsewhere"

status=0
for deb in "$work"/first/*.deb; do
    cmp -s "$deb" "$work/second/elsewhere/${deb##*/}" \
        || { echo "not reproducible: ${deb##*/} differs between two builds" >&2; status=1; }
done
[ "$status" -eq 0 ] || exit 1
echo "reproducible: $(ls "$work"/first/*.deb | wc -l) packages identical in two builds"

scripts/check-package.sh "$work"/first/orbisk_"$version"_*.deb "$work"/first/orbisk-server_"$version"_*.deb \
    "$work"/first/orbisk-server-data_"$version"_all.deb
