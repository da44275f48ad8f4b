# SPDX-License-Identifier: GPL-3.0-or-later
# What the shell tests share, sourced: a scratch folder `work` removed on
# exit, `check`, which runs a test command and counts it, and `report`,
# whose status is the verdict.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
check() { if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $*"; fi; }
report() {
    echo "$passed passed, $failed failed"
    [ "$failed" = 0 ]
}
