#!/usr/bin/env bash
# Sets up a fresh machine, builds, and runs the whole test suite through ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" test
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${VEMBRIX_BUILD_DIR:-$root/build}" --output-on-failure -j "$(nproc)"
