#!/usr/bin/env bash
# Start-up rounds in which the programs take turns run by run, so that every program of a round
# meets the same minutes of the machine's load. Each run is one start under a session bus of its
# own, timed by the shared start-up tool; the first run of each program in a round is a warm-up.
#
#   bash tools/startup-rounds.sh ROUNDS RUNS 'NAME|TITLE REGEX|COMMAND' ...
#   bash tools/startup-rounds.sh 3 20 'floor|^QtFloor$|./qtfloor' \
#       'now|^Brimvault Version|build/brimvault -nosetup'
#
# Prints, for each round and program, the median time until the window was seen and the median
# CPU time the program had used by then.
set -euo pipefail
rounds=$1 runs=$2
shift 2
tool=${STARTUP_TOOL:-$(cd "$(dirname "$0")/../.." && pwd)/shared/tools/startup}
[ -x "$tool" ] || { echo "no start-up tool at $tool (set STARTUP_TOOL)" >&2; exit 2; }
results=$(mktemp)
trap 'rm -f "$results"' EXIT

for round in $(seq "$rounds"); do
    for run in $(seq "$runs"); do
        for program in "$@"; do
            IFS='|' read -r name title command <<<"$program"
            warmups=$([ "$run" = 1 ] && echo 1 || echo 0)
            # shellcheck disable=SC2016,SC2086 # the bus is the inner shell's; the words split
            dbus-run-session -- bash -c 'tool=$1; shift; "$tool" \
                -e DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" "$@"' x "$tool" \
                -n 1 -w "$warmups" -t "$title" -- $command 2>/dev/null |
                awk -v r="$round" -v n="$name" '$1 == "run" {
                    for (i = 1; i < NF; ++i) { if ($i == "window") w = $(i + 1); if ($i == "cpu") c = $(i + 1) }
                    print r, n, w, c }' >>"$results"
        done
    done
done

median() { sort -n | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
for round in $(seq "$rounds"); do
    for program in "$@"; do
        name=${program%%|*}
        rows=$(awk -v r="$round" -v n="$name" '$1 == r && $2 == n' "$results")
        printf 'round %s  %-10s window %6.1f ms  cpu %6.1f ms  (%s runs)\n' "$round" "$name" \
            "$(awk '{ print $3 }' <<<"$rows" | median)" "$(awk '{ print $4 }' <<<"$rows" | median)" \
            "$(wc -l <<<"$rows")"
    done
done
