#!/usr/bin/env bash
# Configures and builds everything into build/ (or $VEMBRIX_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEMBRIX_BUILD_DIR:-$root/build}
# VEMBRIX_WERROR=ON (as .ci/run sets it) turns warnings into errors.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVEMBRIX_WERROR="${VEMBRIX_WERROR:-OFF}"
cmake --build "$build" -j "$(nproc)"
