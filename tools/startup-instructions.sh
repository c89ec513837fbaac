#!/usr/bin/env bash
# Instructions executed until the first window is handed to the X server, counted by callgrind:
# the floor program, then Brimvault at a first start and for a returning player whose
# config.brv changed a few settings. Unlike wall-clock rounds, the count does not move with the
# machine's load, so a change of a few hundred thousand instructions shows.
#
#   bash tools/startup-instructions.sh [build folder] [floor program]
set -euo pipefail
build=$(realpath "${1:-build}")
floor=$(realpath "${2:-$build/bench/startup/bench_startup_floor}")
for tool in valgrind Xvfb dbus-run-session callgrind_annotate; do
    command -v "$tool" >/dev/null || { echo "needs $tool: apt-get install valgrind xvfb dbus" >&2; exit 2; }
done
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$work"' EXIT
sleep 1

# Prints the instructions until the first window is shown; the program is then ended.
count() {
    local name=$1
    shift
    mkdir -p "$work/$name/home"
    (cd "$work/$name" && DISPLAY=$display HOME=$work/$name/home XDG_CONFIG_HOME=$work/$name/home \
        dbus-run-session 2>/dev/null -- bash -c '
        valgrind --tool=callgrind --dump-before="QXcbWindow::show()" \
            --callgrind-out-file="$0/out" "$@" >/dev/null 2>&1 &
        pid=$!
        until [ -e "$0/out.1" ] || ! kill -0 $pid 2>/dev/null; do sleep 0.2; done
        sleep 1
        kill -9 $pid 2>/dev/null' "$work/$name" "$@") || true
    [ -e "$work/$name/out.1" ] || { echo "$name: no window was shown: $*" >&2; exit 1; }
    printf '%-28s %s\n' "$name" "$(callgrind_annotate "$work/$name/out.1" |
        awk '/PROGRAM TOTALS/ { print $1; exit }') instructions"
}

count floor "$floor"
for kind in first-start returning-player; do
    mkdir -p "$work/$kind"
    cp "$build/brimvault" "$build/main.brv" "$build/colour.brc" "$work/$kind/"
    [ ! -f "$build/config.brv" ] || cp "$build/config.brv" "$work/$kind/"
    if [ "$kind" = returning-player ]; then
        printf 'zun_exe dsda-doom\r\nzun_warp 07\r\nzun_files a.wad b.wad\r\nzun_heap 8\r\n' \
            >>"$work/$kind/config.brv"
    fi
    count "$kind" "$work/$kind/brimvault" -nosetup
done
