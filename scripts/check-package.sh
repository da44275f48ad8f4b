#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs Debian packages of Orbisk and checks them as a user would: the
# commands, the server answering, the client's first map as a user who
# cannot write the program directory, a second user's client kept from the
# first user's server, then a purge that leaves nothing of them in /usr,
# /etc and /var. The packages are those given (the source package's three),
# else the one `make deb` built. Run as root on a machine where it may install.
set -euo pipefail
if [ $# -gt 0 ]; then
    debs=("$@")
else
    debs=(build/"${PRESET:-default}"/package/orbisk_*_amd64.deb)
fi
# apt-get takes a file only by its path.
for i in "${!debs[@]}"; do debs[i]=$(realpath "${debs[i]}"); done
packages=$(for deb in "${debs[@]}"; do dpkg-deb -f "$deb" Package; done)
export DEBIAN_FRONTEND=noninteractive
step() { echo "== $*"; }

# The checkers, when this machine lacks them.
updated=
need() {
    command -v "$1" >/dev/null && return
    [ -n "$updated" ] || { apt-get update -qq; updated=yes; }
    apt-get install -y -qq --no-install-recommends "$2" >/dev/null
}
need lintian lintian
need appstreamcli appstream
need systemd-analyze systemd
need pkill procps

step "lintian (errors and warnings fail)"
# Info tags kept: arch-dep-package-has-big-usr-share and
# binary-has-unneeded-section .comment (the CPack package only: the server's
# data rides in its one package, and it strips symbols, not the compiler's
# note; the source package's three have neither), and
# package-contains-documentation-outside-usr-share-doc (the local error page
# is a page the program shows, not documentation).
# initial-upload-closes-no-bugs: the bug that proposes the package to Debian
# (its ITP) is filed when it is proposed; its number then closes the first
# changelog entry.
lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs "${debs[@]}"

step "install" $packages
apt-get install -y -qq "${debs[@]}" >/dev/null
orbisk --version
orbisk-tool defs show /usr/share/orbisk/Map.dat | head -3
appstreamcli validate --no-net /usr/share/metainfo/com.brevant.Orbisk.metainfo.xml
systemd-analyze verify /usr/lib/systemd/user/orbisk-server.service
for page in orbisk orbisk-tool orbisk-server; do test -s "/usr/share/man/man1/$page.1.gz"; done

user=orbisk-check
id "$user" >/dev/null 2>&1 || useradd --create-home "$user"
home=$(getent passwd "$user" | cut -d: -f6)
as_user() { runuser -u "$user" -- env HOME="$home" XDG_RUNTIME_DIR="$home/run" "$@"; }
as_user mkdir -p -m 700 "$home/run"

step "orbisk-server by hand, as the user, answers a zip lookup"
# It offers a newer definition version, so the client's update must write
# its Map.dat into the user's data directory, not the program directory.
as_user orbisk-server --definitions-version 99 > "$home/server.log" 2>&1 &
# runuser stays the parent: stop what runs as the user, not runuser.
stop_user() { pkill -u "$user" 2>/dev/null || true; sleep 0.5; }
trap stop_user EXIT
for _ in $(seq 50); do grep -q 'serving on' "$home/server.log" && break; sleep 0.1; done
as_user curl -fsS "http://127.0.0.1:8642/services/zip?code=20502&country=US" | grep -q '<City>Washington</City>'
# Another account (root here) is not served by the user's server.
! curl -fsS -m 5 "http://127.0.0.1:8642/services/zip?code=20502&country=US" >/dev/null 2>&1

step "the client's first map, as a user, with a read-only program directory"
touch /tmp/orbisk-check-start
as_user xvfb-run -a -s "-screen 0 1024x768x24" orbisk --screenshot "$home/first.png"
test -s "$home/first.png"
test -s "$home/.local/share/orbisk/Map.dat"
changed=$(find /usr/share/orbisk /usr/share/orbisk-server -newer /tmp/orbisk-check-start)
[ -z "$changed" ] || { echo "written in the program directory: $changed" >&2; exit 1; }

step "another user's client sends the first user's server nothing, and says why"
other=orbisk-check2
id "$other" >/dev/null 2>&1 || useradd --create-home "$other"
other_home=$(getent passwd "$other" | cut -d: -f6)
runuser -u "$other" -- mkdir -p -m 700 "$other_home/run"
served=$(grep -cE '^(GET|POST|HEAD) ' "$home/server.log" || true)
rc=0
runuser -u "$other" -- env HOME="$other_home" XDG_RUNTIME_DIR="$other_home/run" \
    xvfb-run -a -s "-screen 0 1024x768x24" orbisk --screenshot "$other_home/first.png" \
    2> "$other_home/client.log" || rc=$?
# xvfb-run may add its own status when it cleans up; the client's words say
# what it did.
[ "$rc" != 0 ] || { echo "the other user's client reported success" >&2; exit 1; }
grep -q "belongs to another user, $user" "$other_home/client.log"
test ! -e "$other_home/first.png"
[ "$(grep -cE '^(GET|POST|HEAD) ' "$home/server.log" || true)" = "$served" ] ||
    { echo "the first user's server was asked by the other user" >&2; exit 1; }

step "both users at once, each with a server of their own"
as_other() { runuser -u "$other" -- env HOME="$other_home" XDG_RUNTIME_DIR="$other_home/run" "$@"; }
as_other orbisk-server > "$other_home/server.log" 2>&1 &
for _ in $(seq 50); do grep -q 'serving on' "$other_home/server.log" && break; sleep 0.1; done
other_address=$(cat "$other_home/run/orbisk/server-address")
[ "$other_address" != 127.0.0.1:8642 ] ||
    { echo "the other user's server claims the first user's port" >&2; exit 1; }
as_other xvfb-run -a -s "-screen 0 1024x768x24" orbisk --screenshot "$other_home/own.png"
test -s "$other_home/own.png"
grep -qE '^POST /map/' "$other_home/server.log"
[ "$(grep -cE '^(GET|POST|HEAD) ' "$home/server.log" || true)" = "$served" ] ||
    { echo "the first user's server was asked by the other user" >&2; exit 1; }
pkill -u "$other" 2>/dev/null || true
sleep 0.5
userdel --remove "$other" 2>/dev/null || true
stop_user
trap - EXIT

step "apt-get purge leaves nothing in /usr, /etc and /var"
# shellcheck disable=SC2086
files=$(dpkg -L $packages | grep -E '^/(usr|etc|var)/')
# shellcheck disable=SC2086
apt-get purge -y -qq $packages >/dev/null
left=$(for f in $files; do [ -e "$f" ] && [ ! -d "$f" ] && echo "$f"; done || true)
left+=$(find /etc/systemd/user /var/lib/systemd -name 'orbisk*' 2>/dev/null || true)
[ -z "$left" ] || { echo "left behind: $left" >&2; exit 1; }
test ! -e /usr/share/orbisk
userdel --remove "$user"
echo "package checks passed"
