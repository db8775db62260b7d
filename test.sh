#!/usr/bin/env bash
# Sets up a fresh machine, builds and runs every test, plain and under AddressSanitizer + UBSan,
# then the tests that run several threads again under ThreadSanitizer, gives each libFuzzer
# harness a short run, and checks the Debian package.
set -euo pipefail
cd "$(dirname "$0")"
scripts/bootstrap
for preset in default asan tsan fuzz; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
    # The Debian package: built, checked by lintian, installed and removed again (needs root).
    if [[ $preset == default ]] && (($(id -u) == 0)); then scripts/check-debian-package build; fi
done
