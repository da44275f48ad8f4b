#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# orbisk-tool geocode in every mode against a running orbisk-server, through
# the definition file that server publishes.
set -u
server=$1
tool=$2
work=$(mktemp -d)
"$server" --port 0 --quiet 2> "$work/server.log" &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do
    address=$(sed -n 's|.*serving on http://\([^/]*\)/.*|\1|p' "$work/server.log")
    [ -n "$address" ] && break
    sleep 0.1
done
[ -n "$address" ] || { echo "the server did not start:"; cat "$work/server.log"; exit 1; }
curl -sf "http://$address/map/definitions/Map.xml" -o "$work/Map.xml" || { echo "no definitions"; exit 1; }

passed=0 failed=0
expect() { # description, pattern, output
    if grep -qE -- "$2" <<< "$3"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $1"; echo "$3"; fi
}
geocode() { "$tool" geocode "$work/Map.xml" "$@"; }

out=$(geocode --mode zip --zip 20502)
expect "20502 lands in Washington DC" "^latitude: 38\.(8|9)" "$out"
expect "20502 is in DC" "^info 3: Washington, DC$" "$out"

out=$(geocode --mode zip --zip "K1A 0B1")
expect "K1A 0B1 is in Ottawa" "^latitude: 45\.4" "$out"
expect "K1A 0B1 is Canadian" "^canadian: yes$" "$out"

out=$(geocode --mode phone --npa 202 --nxx 456 --xxxx 1414)
expect "(202) 456-1414 resolves" "^success: yes$" "$out"
expect "(202) 456-1414 is in Washington" "^latitude: 38\.(8|9)" "$out"

out=$(geocode --mode phone --npa 202 --nxx 555 --xxxx 0100)
expect "a demo listing is found directly" "^info 2: Demo Listing 1 \(demo\)$" "$out"

out=$(geocode --mode street --number 1600 --street "Pennsylvania Ave" --city Washington --state DC)
expect "an unknown street falls back to its city" "^info 3: .*\(Street not found\)$" "$out"
expect "the fallback is coarse" "^zoom: 6$" "$out"

out=$(geocode --mode street --number 100 --street "Demo St" --city Ottawa --state ON --country Canada)
expect "a Canadian demo address is found" "^canadian: yes$" "$out"
expect "a Canadian demo address lies in Ottawa" "^latitude: 45\.4" "$out"

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
