#!/usr/bin/env bash
# Configures and builds into build/ (or $VEMBRIX_BUILD_DIR): the targets
# given (scripts/run.sh builds only the program), or everything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEMBRIX_BUILD_DIR:-$root/build}
# The "default" preset of CMakePresets.json; VEMBRIX_WERROR=ON in the
# environment (as .ci/run sets it) turns warnings into errors. Targets named
# on the command line are built alone (scripts/run.sh builds the program only).
cd "$root"
cmake --preset default -B "$build"
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$build" -j "$(nproc)" "${targets[@]}"
