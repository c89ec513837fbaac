#!/usr/bin/env bash
# Installs what building and testing Brimvault needs on Debian 12, then configures and builds.
# Usage: tools/setup.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev libgtest-dev
          clang libclang-rt-14-dev desktop-file-utils appstream dpkg-dev file fonts-dejavu-core
          pkg-config libxcb1-dev xvfb xauth lintian
          chocolate-doom crispy-doom dsda-doom woof-doom freedoom)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    "${as_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "${missing[@]}"
fi

build=${1:-build}
shift || true
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build" -j"$(nproc)"
