#!/usr/bin/env bash
# Sets up a fresh machine, builds and runs every test, plain and under AddressSanitizer + UBSan,
# then the tests that run several threads again under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
scripts/bootstrap
for preset in default asan tsan; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
