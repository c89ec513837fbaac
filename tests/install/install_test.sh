#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed program with a temporary
# home: the per-user folder is seeded, exit writes config.brv there, a second start restores
# it, files the user changed survive, and a portable folder still keeps everything beside the
# executable. Also validates the installed desktop entry, AppStream metadata and manual page,
# and, where lintian is installed, has it check the Debian package.
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
"$bin" --help | grep -q -- "-nosetup" || fail "--help names -nosetup"
# The manual page describes every option --help shows.
for option in $("$bin" --help | grep -oE '^  -[-a-z]+'); do
    gzip -dc "$share/man/man6/brimvault.6.gz" | sed 's/\\-/-/g' | grep -qx -- ".B $option" ||
        fail "the manual page does not describe $option"
done
[ ! -e "$data" ] || fail "--version or --help touched the data folder"

# First start: the empty per-user folder is seeded with the delivered files.
"$bin" -nosetup &
pid=$!
for _ in $(seq 200); do
    [ -f "$data/main.brv" ] && [ -f "$data/config.brv" ] && [ -f "$data/colour.brc" ] &&
        [ -f "$data/help/index.html" ] && break
    sleep 0.05
done
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
cmp -s "$data/main.brv" "$share/brimvault/main.brv" || fail "main.brv not seeded"
cmp -s "$data/config.brv" "$share/brimvault/config.brv" || fail "config.brv not seeded"
cmp -s "$data/colour.brc" "$share/brimvault/colour.brc" || fail "colour.brc not seeded"
cmp -s "$data/help/index.html" "$share/brimvault/help/index.html" || fail "help not seeded"

# The user's own startup script: set a value, then exit, which writes config.brv there.
printf 'exec config.brv\r\nwarp 07\r\nexit\r\n' > "$data/main.brv"
timeout 60 "$bin" -nosetup || fail "second start did not end by exit"
grep -q $'^zun_warp 07\r$' "$data/config.brv" || fail "exit did not write config.brv"
[ -f "$data/debug.txt" ] || fail "no debug.txt in the per-user folder"

# Next start restores it (exit writes back what config.brv restored); the user's main.brv
# is not overwritten by the seeding.
printf 'exec config.brv\r\nexit\r\n' > "$data/main.brv"
timeout 60 "$bin" -nosetup || fail "third start did not end by exit"
grep -q $'^zun_warp 07\r$' "$data/config.brv" || fail "config.brv not restored"
grep -q '^exec config.brv' "$data/main.brv" || fail "the user's main.brv was overwritten"

# A portable folder keeps everything beside the executable.
portable=$tmp/portable
mkdir -p "$portable"
cp "$bin" "$portable/"
printf 'warp 09\r\nexit\r\n' > "$portable/main.brv"
timeout 60 "$portable/brimvault" -nosetup || fail "portable start did not end by exit"
grep -q $'^zun_warp 09\r$' "$portable/config.brv" || fail "portable config.brv"
grep -q $'^zun_warp 07\r$' "$data/config.brv" || fail "portable run touched the per-user folder"

# A portable folder without main.brv stays the program directory: each start says there,
# in its debug.txt, that the startup script could not be run.
bare=$tmp/bare
mkdir -p "$bare"
cp "$bin" "$bare/"
for start in 1 2; do
    "$bare/brimvault" -nosetup &
    pid=$!
    for _ in $(seq 200); do
        grep -q "^echo Could not execute script" "$bare/debug.txt" 2>/dev/null && break
        sleep 0.05
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    grep -q "^echo Could not execute script" "$bare/debug.txt" ||
        fail "start $start without main.brv did not say so in the portable folder"
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
