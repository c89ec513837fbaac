#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each over a copy of its committed corpus.
# Usage: tools/fuzz.sh [inputs per target] [seconds per target] [target...]
#   tools/fuzz.sh 2000                  # the bounded run of the test command
#   BRIMVAULT_FUZZ_SANITIZERS=leak,undefined tools/fuzz.sh 10000000 0   # the long run
# BRIMVAULT_FUZZ_SANITIZERS picks the sanitizers (default address,undefined); each set gets its
# own build folder. Each target's log is kept in <build>/fuzz-logs/.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-2000}
seconds=${2:-0}
shift $(($# < 2 ? $# : 2))
sanitizers=${BRIMVAULT_FUZZ_SANITIZERS:-address,undefined}
build=build-fuzz
[ "$sanitizers" = address,undefined ] || build=build-fuzz-${sanitizers//,/-}
CXX=clang++ cmake -S . -B "$build" -DBRIMVAULT_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRIMVAULT_FUZZ_SANITIZERS="$sanitizers" >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
logs=$build/fuzz-logs
mkdir -p "$logs"
status=0
for corpus in tests/fuzz/corpus/*/; do
    name=$(basename "$corpus")
    target=$build/tests/fuzz/fuzz_$name
    [ -x "$target" ] || continue
    if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then
        continue
    fi
    mkdir -p "$work/$name"
    cp "$corpus"* "$work/$name/"
    log=$logs/$name.log
    # An interpreter input is a whole script that may run twice, command by command: 1 KB
    # already holds hundreds of commands, and longer ones only make each input slower.
    max_len=8192
    [ "$name" = interpreter ] && max_len=1024
    # -timeout and -rss_limit_mb turn a hang or runaway memory into a finding.
    if "$target" -runs="$runs" -max_total_time="$seconds" -max_len=$max_len -timeout=10 \
        -rss_limit_mb=2048 -report_slow_units=1 -print_final_stats=1 \
        -artifact_prefix="$work/$name-" "$work/$name" >"$log" 2>&1; then
        stat() { grep -oE "stat::$1: *[0-9]+" "$log" | grep -oE '[0-9]+$' || true; }
        slowest=$(grep -oE 'slowest input: .*' "$log" | tail -1 | sed 's/^slowest input: //' || true)
        echo "fuzz_$name ($sanitizers): $(stat number_of_executed_units) inputs," \
             "$(stat average_exec_per_sec) per second, peak $(stat peak_rss_mb) MB," \
             "slowest input ${slowest:-?}, no crash, no leak"
    else
        echo "fuzz_$name: FAILED" >&2
        tail -40 "$log" >&2
        cp "$work/$name"-* "$logs/" 2>/dev/null || true
        status=1
    fi
done
exit $status
