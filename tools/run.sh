#!/usr/bin/env bash
# Sets everything up, builds, and starts Brimvault from its build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh build
exec build/brimvault "$@"
