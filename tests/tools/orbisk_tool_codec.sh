#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# orbisk-tool encode/decode: byte-exact round trips, exit codes and messages.
set -u
. "$(dirname "$0")/checks.sh"
tool=$1

printf 'SH=1&NS=3&ZIP=20502&LAT=&LNG=&SH=1&NS=3&ZIP=20502' > "$work/plain"
printf 'HGLIK@FO@KECDECOK@FKECFEKHBOL@@KECBC@CEC@CBECOAGL@AKEECOAOCGGKEEK@FLDIE@@@KBEDK@ML' > "$work/expected"
"$tool" encode < "$work/plain" > "$work/encoded"
check cmp -s "$work/encoded" "$work/expected"
"$tool" decode < "$work/encoded" > "$work/decoded"
check cmp -s "$work/decoded" "$work/plain"

head -c 20000 /dev/urandom | base64 > "$work/random"
"$tool" encode < "$work/random" | "$tool" decode > "$work/random.out"
check cmp -s "$work/random" "$work/random.out"

printf '' | "$tool" encode > "$work/out" 2> "$work/err"; rc=$?
check test "$rc" = 1
check test "$(cat "$work/err")" = "encode failed"
check test ! -s "$work/out"
printf 'not encoded' | "$tool" decode > "$work/out" 2> "$work/err"; rc=$?
check test "$rc" = 1
check test "$(cat "$work/err")" = "decode failed"

check test "$("$tool" --version)" = "orbisk-tool 1.1.0"
"$tool" --help > "$work/help"; rc=$?
check test "$rc" = 0
check grep -q encode "$work/help"
"$tool" nonsense 2> /dev/null; rc=$?
check test "$rc" = 2

report
