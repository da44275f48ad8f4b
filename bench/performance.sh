#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The figures of docs/performance.md, measured on this machine:
#   start-up (median of 5 cold starts under Xvfb, fresh HOME each): window mapped,
#   first map loaded and stable, PSS by process at 10 s, CPU at 10 and 30 s, idle CPU,
#   PSS after 200 Go commands and 20 s later, and the growth over them (under 10 MB),
#   the second start (bench/startup_probe.py),
#   Go to page loaded per locate mode and peak memory (bench_go_to_page),
#   offline and with a 50 ms stand-in geocoder; a cached online street lookup
#   against an offline one (bench_online_street),
#   request building, page generation and zip lookups (Google Benchmark).
# Needs port 8642 free: the default Map.dat names it.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=build/${PRESET:-default}/bin
port=8642
runs=${RUNS:-5}

listening() { (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; }
if listening; then
    echo "port $port is in use; stop the running orbisk-server first" >&2
    exit 1
fi

scratch=$(mktemp -d)
server_pid=""
cleanup() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

"$bin/orbisk-server" --port "$port" --quiet &
server_pid=$!
for _ in $(seq 50); do listening && break; sleep 0.1; done

# Dropping the page cache makes the start truly cold; it needs root.
drop_caches() { sync; echo 3 > /proc/sys/vm/drop_caches 2>/dev/null || true; }

echo "== start-up, idle and memory (xvfb, fresh HOME, median of $runs cold starts)"
drop_caches
python3 bench/startup_probe.py "$bin/orbisk" --runs "$runs" --idle 60 --goes 200

echo "== Go to page loaded, peak memory"
XDG_RUNTIME_DIR="$scratch" "$bin/bench_go_to_page" 2>/dev/null
echo "== the same, the server asking a stand-in geocoder that answers in 50 ms (street: under 200 ms)"
XDG_RUNTIME_DIR="$scratch" "$bin/bench_go_to_page" --upstream-ms 50 2>/dev/null | grep -E "mode|street|stand-in"
echo "== a street lookup offline and online from the cache (under 1 ms more)"
"$bin/bench_online_street" 2>/dev/null | grep -E "^Street"

echo "== request building (job 13, 50 markers, 100 results)"
"$bin/bench_map_request" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null |
    grep -E "median"
echo "== server page generation (1,000 markers, 100 results)"
"$bin/bench_map_page" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null |
    grep -E "median"
echo "== zip lookups"
"$bin/bench_server_load" 2>/dev/null | grep -iE "zip|items_per_second|/s" | head -5
echo "== geographic lookups in process (nearest city >= 200,000 a second)"
"$bin/bench_geo_data" 2>/dev/null | grep -E "items_per_second"
echo "== marker sets written and read back (200,000 markers in < 1 s)"
"$bin/bench_marker_set" --benchmark_filter='/200000$|/5000$' 2>/dev/null | grep -E "WriteAndReadBack"
echo "== Markers from and to GPX, KML, KMZ and GeoJSON (100,000 waypoints in < 2 s, 250,000 out in < 1 s)"
"$bin/bench_interchange" 2>/dev/null | grep -E "^(ImportAndDraw|Export)"
echo "== hostile clients (normal request < 100 ms under 100 slow clients; server PSS < 100 MB)"
PRESET=${PRESET:-default} python3 bench/hostile_probes.py "$port" "$server_pid"
