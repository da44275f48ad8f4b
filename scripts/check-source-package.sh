#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian source package: the committed tree exported as its upstream
# tarball would be, built with dpkg-buildpackage into its three binary
# packages, which scripts/check-package.sh then lints, installs, tries as two
# users and purges. Run as root on a machine where it may install.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(dpkg-parsechangelog -S Version)
tree="$work/orbisk-${version%-*}"
mkdir "$tree"
git archive HEAD | tar -x -C "$tree"
(cd "$tree" && dpkg-buildpackage -us -uc -b)
scripts/check-package.sh "$work"/orbisk_"$version"_*.deb "$work"/orbisk-server_"$version"_*.deb \
    "$work"/orbisk-server-data_"$version"_all.deb
