#!/usr/bin/env bash
# Configures and builds everything into build/ (or $VEMBRIX_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEMBRIX_BUILD_DIR:-$root/build}
# The "default" preset of CMakePresets.json; VEMBRIX_WERROR=ON in the
# environment (as .ci/run sets it) turns warnings into errors.
cd "$root"
cmake --preset default -B "$build"
cmake --build "$build" -j "$(nproc)"
