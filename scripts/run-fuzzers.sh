#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every libFuzzer target of build/fuzz for SECONDS each (default 60),
# two at a time. New inputs go to build/fuzz/corpus, the seeds in fuzz/corpus
# stay as committed; a crash, leak, time-out or memory blow-up fails the run
# and leaves the input in build/fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
jobs=${FUZZ_JOBS:-2}
build=build/fuzz

run_one() {
    local target=$1 seconds=$2 build=$3
    local name=${target#fuzz_}
    mkdir -p "$build/corpus/$name" "$build/artifacts/$name" "$build/logs"
    if "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/artifacts/$name/" \
        "$build/corpus/$name" "fuzz/corpus/$name" > "$build/logs/$name.log" 2>&1; then
        echo "$target: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$build/logs/$name.log" \
            | grep -o '[0-9]*$') runs in ${seconds} s, no failure"
    else
        echo "$target: FAILED (log: $build/logs/$name.log)"
        tail -n 40 "$build/logs/$name.log"
        return 1
    fi
}
export -f run_one

targets=$(cd "$build/bin" && ls fuzz_*)
printf '%s\n' $targets | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {} "$seconds" "$build"
