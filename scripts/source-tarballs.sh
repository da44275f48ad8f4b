#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The upstream tarballs of a release, as the Debian source package takes
# them: orbisk_VERSION.orig.tar.xz (the committed tree) and the component
# orbisk_VERSION.orig-data-modules.tar.xz (the locked npm data packages,
# fetched here once so that building the package fetches nothing).
# Usage: scripts/source-tarballs.sh OUTDIR
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:?usage: $0 OUTDIR}
upstream=$(dpkg-parsechangelog -S Version)
upstream=${upstream%-*}
epoch=$(dpkg-parsechangelog -S Timestamp)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

git archive --format=tar --prefix="orbisk-$upstream/" HEAD | xz -9 > "$out/orbisk_$upstream.orig.tar.xz"

mkdir "$stage/data-modules"
cp server/data/package.json server/data/package-lock.json "$stage/data-modules"
npm ci --prefix "$stage/data-modules" --ignore-scripts --no-audit --no-fund --loglevel=error
# Sorted names, one owner and the changelog's time: the same lock file gives
# the same tarball byte for byte.
tar -C "$stage" --sort=name --owner=0 --group=0 --numeric-owner --mtime="@$epoch" \
    --pax-option=exthdr.name=%d/PaxHeaders/%f,delete=atime,delete=ctime \
    -cf - data-modules | xz -9 > "$out/orbisk_$upstream.orig-data-modules.tar.xz"
