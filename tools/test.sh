#!/usr/bin/env bash
# Sets everything up and runs every test: the suite built with AddressSanitizer and UBSan,
# the fuzz target for a bounded number of inputs, then the normal suite, whose ctest summary
# closes the output.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
tools/setup.sh build

if [ "${BRIMVAULT_SKIP_SANITIZE:-0}" != 1 ]; then
    echo "== Test suite under AddressSanitizer and UBSan =="
    tools/setup.sh build-asan -DBRIMVAULT_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir build-asan --output-on-failure -j2
fi

if [ "${BRIMVAULT_SKIP_FUZZ:-0}" != 1 ]; then
    echo "== Fuzz target, a bounded number of inputs =="
    tools/fuzz.sh "${BRIMVAULT_FUZZ_RUNS:-2000}"
fi

echo "== Test suite =="
ctest --test-dir build --output-on-failure -j2
