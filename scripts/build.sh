#!/usr/bin/env bash
# Configures and builds into build/ (or $VEMBRIX_BUILD_DIR): the targets
# given (scripts/run.sh builds only the program), or everything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEMBRIX_BUILD_DIR:-$root/build}
# VEMBRIX_WERROR=ON (as .ci/run sets it) turns warnings into errors.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVEMBRIX_WERROR="${VEMBRIX_WERROR:-OFF}"
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$build" -j "$(nproc)" "${targets[@]}"
