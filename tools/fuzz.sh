#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each over a copy of its committed corpus.
# Usage: tools/fuzz.sh [inputs per target] [seconds per target]
#   tools/fuzz.sh 2000          # the bounded run of the test command
#   tools/fuzz.sh 10000000 0    # the long run
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-2000}
seconds=${2:-0}
build=build-fuzz
CXX=clang++ cmake -S . -B "$build" -DBRIMVAULT_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for corpus in tests/fuzz/corpus/*/; do
    name=$(basename "$corpus")
    target=$build/tests/fuzz/fuzz_$name
    [ -x "$target" ] || continue
    mkdir -p "$work/$name"
    cp "$corpus"* "$work/$name/"
    log=$work/$name.log
    # -timeout and -rss_limit_mb turn a hang or runaway memory into a finding.
    if "$target" -runs="$runs" -max_total_time="$seconds" -max_len=8192 -timeout=10 \
        -rss_limit_mb=2048 -report_slow_units=1 -print_final_stats=1 \
        -artifact_prefix="$work/$name-" "$work/$name" >"$log" 2>&1; then
        stat() { grep -oE "stat::$1: *[0-9]+" "$log" | grep -oE '[0-9]+$' || true; }
        slowest=$(grep -oE 'slowest input: [0-9.]+ ms' "$log" | tail -1 | grep -oE '[0-9.]+ ms' || true)
        echo "fuzz_$name: $(stat number_of_executed_units) inputs," \
             "$(stat average_exec_per_sec) per second, peak $(stat peak_rss_mb) MB," \
             "slowest input ${slowest:-?}, no crash, no leak"
    else
        echo "fuzz_$name: FAILED" >&2
        tail -40 "$log" >&2
        status=1
    fi
done
exit $status
