#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One site, many desktops: two orbisk-server replicas behind HAProxy on
# loopback. The definitions name the balancer, a lookup and a map page load
# go through it, then one replica is
# killed in the middle of a stream of requests and
# none of them may fail: HAProxy retries on the other. Installs haproxy (Debian) when run as root.
# Usage: scripts/check-replicas.sh [BIN_DIR]   (default build/default/bin)
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${1:-build/default/bin}
if ! command -v haproxy > /dev/null; then
    [ "$(id -u)" -eq 0 ] || { echo "check-replicas: haproxy is not installed" >&2; exit 1; }
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q haproxy > /dev/null
fi
work=$(mktemp -d)
# The replicas read no user's online settings and keep their caches here.
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"
pids=()
cleanup() { kill "${pids[@]}" 2> /dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

# A replica on a free port; port_of names that port once it listens.
start_replica() {
    "$bin/orbisk-server" --port 0 --quiet --public-address "127.0.0.1:$front" \
        > /dev/null 2> "$work/$1.log" &
    pids+=($!)
    echo $! > "$work/$1.pid"
}
port_of() {
    for _ in $(seq 100); do
        port=$(sed -n 's|.*serving on http://127.0.0.1:\([0-9]*\)/.*|\1|p' "$work/$1.log")
        [ -n "$port" ] && { echo "$port"; return; }
        sleep 0.1
    done
    echo "check-replicas: replica $1 did not start" >&2
    exit 1
}

front=$(free_port)
start_replica a
start_replica b
a=$(port_of a)
b=$(port_of b)
sed -e "s/@FRONT@/$front/" -e "s/@A@/$a/" -e "s/@B@/$b/" > "$work/haproxy.cfg" << 'CFG'
global
    maxconn 256
defaults
    mode http
    timeout connect 1s
    timeout client 10s
    timeout server 10s
    # A request that meets a dead replica goes to the other one.
    retries 3
    option redispatch 1
    retry-on conn-failure empty-response response-timeout
    option http-buffer-request
frontend orbisk
    bind 127.0.0.1:@FRONT@
    default_backend replicas
backend replicas
    balance roundrobin
    option httpchk GET /map/definition/version/
    server a 127.0.0.1:@A@ check inter 300 fall 1 rise 2
    server b 127.0.0.1:@B@ check inter 300 fall 1 rise 2
CFG
haproxy -f "$work/haproxy.cfg" -db > "$work/haproxy.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    curl -fsS -o /dev/null "http://127.0.0.1:$front/map/definition/version/" 2> /dev/null && break
    sleep 0.1
done

url="http://127.0.0.1:$front"
curl -fsS "$url/services/zip?code=20502&country=US" | grep -q "<Latitude>38.89" \
    || { echo "check-replicas: a zip lookup through HAProxy failed" >&2; exit 1; }
curl -fsS "$url/map/definitions/Map.xml" | grep -q "Server=\"127.0.0.1:$front\"" \
    || { echo "check-replicas: the definitions do not name the balancer's address" >&2; exit 1; }
body="Q=$(printf 'SH=3&LAT=38.8977&LNG=-77.0365&WI=600&HE=370&ZOOM=6' | "$bin/orbisk-tool" encode)"
curl -fsS --data-binary "$body" "$url/map/default.asp" | grep -q 'id="orbisk-data"' \
    || { echo "check-replicas: a map page through HAProxy failed" >&2; exit 1; }

# 200 lookups one after another; replica a dies after the 50th.
failed=0
for i in $(seq 200); do
    if [ "$i" -eq 50 ]; then
        kill -9 "$(cat "$work/a.pid")"
        wait "$(cat "$work/a.pid")" 2> /dev/null || true
    fi
    curl -fsS -o /dev/null "$url/services/zip?code=1000$((i % 10))&country=US" || failed=$((failed + 1))
done
if [ "$failed" -ne 0 ]; then
    echo "check-replicas: $failed of 200 lookups failed after a replica was killed" >&2
    cat "$work/haproxy.log" >&2
    exit 1
fi
echo "check-replicas: 2 replicas behind HAProxy; definitions, lookup and map page passed;" \
    "200 of 200 lookups answered with one replica killed"
