#!/usr/bin/env bash
# Sets up a fresh machine, builds, and starts the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
exec "${VEMBRIX_BUILD_DIR:-$root/build}/vembrix" "$@"
