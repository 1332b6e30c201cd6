#!/usr/bin/env bash
# Builds the library and the whole test suite with AddressSanitizer and
# UBSan into build-asan/ (or $VEMBRIX_ASAN_BUILD_DIR) and runs it through
# ctest. Any report ends the test process with an error, so it fails its test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEMBRIX_ASAN_BUILD_DIR:-$root/build-asan}

"$root/scripts/setup.sh"
cd "$root"
cmake --preset sanitizers -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)"

# Each test carries the sanitizers' options (see the top CMakeLists.txt).
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
echo "sanitize: the whole test suite passed under AddressSanitizer and UBSan"
