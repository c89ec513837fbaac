#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs it with a temporary home: the per-user
# folder is seeded, exit writes config.brv there, the user's files survive, and a portable folder
# keeps everything beside the executable. Also validates the desktop entry, AppStream metadata
# and manual page, and, where lintian is installed, has it check the Debian package.
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
bin=$tmp/prefix/bin/brimvault
share=$tmp/prefix/share
[ -x "$bin" ] || fail "no installed executable"
for f in brimvault/main.brv brimvault/colour.brc brimvault/help/index.html \
         applications/org.brimvault.Brimvault.desktop metainfo/org.brimvault.Brimvault.metainfo.xml \
         icons/hicolor/scalable/apps/org.brimvault.Brimvault.svg \
         icons/hicolor/256x256/apps/org.brimvault.Brimvault.png \
         man/man6/brimvault.6.gz doc/brimvault/copyright doc/brimvault/changelog.gz; do
    [ -f "$share/$f" ] || fail "not installed: share/$f"
done
desktop-file-validate "$share/applications/org.brimvault.Brimvault.desktop"
appstreamcli validate --no-net "$share/metainfo/org.brimvault.Brimvault.metainfo.xml" >/dev/null

export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/.config XDG_DATA_HOME=$tmp/home/.local/share
export QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
data=$XDG_DATA_HOME/Brimvault

"$bin" --version | grep -qx "Brimvault 1.21 Beta" || fail "--version"
help=$("$bin" --help)
[ "${help%%$'\n'*}" = "Brimvault 1.21 Beta: a launcher for Doom Legacy and other Doom engine games." ] ||
    fail "--help's first line"
grep -qxF "  $data (the per-user folder)" <<<"$help" || fail "--help names the per-user folder"
grep -qxF "  $XDG_CONFIG_HOME/Brimvault/Brimvault.conf" <<<"$help" || fail "--help: the store"
# The manual page describes every option --help shows, and --help shows every option it describes.
man=$(gzip -dc "$share/man/man6/brimvault.6.gz" | sed 's/\\-/-/g')
for option in $(grep -oE '^  -[-a-z]+' <<<"$help"); do
    grep -qx -- ".B $option" <<<"$man" || fail "the manual page does not describe $option"
done
for option in $(sed -n '/^\.TP/{n;s/^\.B \(-[-a-z]*\)$/\1/p}' <<<"$man"); do
    grep -qE -- "^  $option +[a-z]" <<<"$help" || fail "--help does not show $option"
done
[ ! -e "$data" ] || fail "--version or --help touched the data folder"

# Starts the program ($1) with the option given ($2, none if empty), waits (at most 10 s) until
# the test given holds, then ends it.
start_until() {
    "$1" ${2:+"$2"} &
    local pid=$!
    for _ in $(seq 200); do "${@:3}" && break; sleep 0.05; done
    kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true
}
seeded() { [ -f "$data/colour.brc" ] && [ -f "$data/help/index.html" ]; }

# First start: the empty per-user folder is seeded with the delivered files.
start_until "$bin" -nosetup seeded
for f in main.brv config.brv colour.brc help/index.html; do
    cmp -s "$data/$f" "$share/brimvault/$f" || fail "$f not seeded"
done

# The user's own startup script: set a value, then exit, which writes config.brv there.
printf 'exec config.brv\r\nwarp 07\r\nexit\r\n' > "$data/main.brv"
timeout 60 "$bin" -nosetup || fail "second start did not end by exit"
grep -q $'^zun_warp 07\r$' "$data/config.brv" || fail "exit did not write config.brv"
[ -f "$data/debug.txt" ] || fail "no debug.txt in the per-user folder"
# The console, not yet built when the script ended, would have stood below the main window.
grep -qE '^ConTop=[1-9]' "$XDG_CONFIG_HOME/Brimvault/Brimvault.conf" || fail "exit: window places"

grep -q '^exec config.brv' "$data/main.brv" || fail "the user's main.brv was overwritten"

# A portable folder keeps everything beside the executable.
portable=$tmp/portable
mkdir -p "$portable" && cp "$bin" "$portable/"
"$portable/brimvault" --help | grep -qxF "  $portable (the folder of the executable)" ||
    fail "--help names the portable folder"
printf 'warp 09\r\nexit\r\n' > "$portable/main.brv"
timeout 60 "$portable/brimvault" -nosetup || fail "portable start did not end by exit"
grep -q $'^zun_warp 09\r$' "$portable/config.brv" || fail "portable config.brv"
grep -q $'^zun_warp 07\r$' "$data/config.brv" || fail "portable run touched the per-user folder"

# A portable folder without main.brv stays the program directory: each start says there,
# in its debug.txt, that the startup script could not be run; the second has no option at all.
bare=$tmp/bare
mkdir -p "$bare" && cp "$bin" "$bare/"
said() { grep -q "^echo Could not execute script" "$bare/debug.txt" 2>/dev/null; }
for option in -nosetup ""; do
    rm -f "$bare/debug.txt"
    start_until "$bare/brimvault" "$option" said
    said || fail "a start ($option) without main.brv did not say so in the portable folder"
done

# Debian's own checker: any error or warning fails; its informational notes are only shown.
if [ "${BRIMVAULT_SKIP_PACKAGE_CHECK:-0}" = 1 ]; then
    echo "a sanitizer build: the package check is skipped"
elif command -v lintian >/dev/null; then
    cpack --config "$build/CPackConfig.cmake" -B "$tmp/package" >"$tmp/cpack.log" 2>&1 ||
        { cat "$tmp/cpack.log" >&2; fail "cpack"; }
    lintian --fail-on none --display-info --pedantic "$tmp"/package/*.deb >"$tmp/lintian.txt" \
        2>"$tmp/lintian.err" || { cat "$tmp/lintian.err" >&2; fail "lintian did not run"; }
    sed 's/^/lintian: /' "$tmp/lintian.txt"
    ! grep -qE '^[EW]: ' "$tmp/lintian.txt" || fail "lintian reports errors or warnings"
else
    echo "lintian is not installed: the package check is skipped"
fi
echo "install test passed"
