#!/usr/bin/env bash
# Sets up a fresh machine with what the program needs, builds it, and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" run
"$root/scripts/build.sh" vembrix
exec "${VEMBRIX_BUILD_DIR:-$root/build}/vembrix" "$@"
