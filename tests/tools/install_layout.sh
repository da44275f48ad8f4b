#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# cmake --install gives the programs in bin, the client's files in
# share/orbisk, the server with its data (Leaflet linked from Debian's
# libjs-leaflet), and the desktop entry, icons and marker set type.
set -u
. "$(dirname "$0")/checks.sh"
prefix=$work
cmake=$1
build=$2
"$cmake" --install "$build" --prefix "$prefix" > /dev/null || { echo "install failed"; exit 1; }

for file in bin/orbisk share/orbisk/Map.dat share/orbisk/html/HomeSiteError.htm bin/orbisk-server \
            share/orbisk-server/zips.tsv \
            share/applications/orbisk.desktop share/mime/packages/orbisk-markerset.xml \
            share/icons/hicolor/scalable/apps/orbisk.svg share/icons/hicolor/48x48/apps/orbisk.png \
            share/icons/hicolor/256x256/apps/orbisk.png bin/orbisk-tool lib/systemd/user/orbisk-server.service \
            share/man/man1/orbisk.1.gz share/man/man1/orbisk-tool.1.gz share/man/man1/orbisk-server.1.gz \
            share/metainfo/com.brevant.Orbisk.metainfo.xml share/doc/orbisk/copyright; do
    check test -s "$prefix/$file"
done
check test ! -L "$prefix/bin/orbisk"
check test ! -e "$prefix/lib/orbisk"
check test "$(readlink "$prefix/share/orbisk-server/web/leaflet/leaflet.min.js")" = \
    ../../../javascript/leaflet/leaflet.min.js
check grep -q '^MimeType=application/x-orbisk-markerset;application/gpx+xml;application/vnd.google-earth.kml+xml;application/vnd.google-earth.kmz;application/geo+json;$' "$prefix/share/applications/orbisk.desktop"
check grep -q '<glob pattern="\*.obk"/>' "$prefix/share/mime/packages/orbisk-markerset.xml"
check test "$("$prefix/bin/orbisk" --version)" = "Orbisk (North America Edition) 1.1.0"

# The installed server finds its data beside itself.
"$prefix/bin/orbisk-server" --port 0 --quiet 2> "$prefix/server.log" &
pid=$!
for _ in $(seq 50); do grep -q 'serving on' "$prefix/server.log" && break; sleep 0.1; done
check grep -q 'serving on http://127.0.0.1:' "$prefix/server.log"
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null

report
