#!/usr/bin/env bash
# Builds the library and the whole test suite with AddressSanitizer and
# UBSan into build-asan/ (or $VEMBRIX_ASAN_BUILD_DIR) and runs it through
# ctest. Any report ends the test process with an error, so it fails its test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEMBRIX_ASAN_BUILD_DIR:-$root/build-asan}

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=g++ -DVEMBRIX_SANITIZE=ON -DVEMBRIX_BENCH=OFF \
  -DVEMBRIX_WERROR="${VEMBRIX_WERROR:-OFF}" >/dev/null
cmake --build "$build" -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
# Leak checking stays on and nothing is suppressed: under the offscreen
# platform neither Qt nor fontconfig leaves a leak behind.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
echo "sanitize: the whole test suite passed under AddressSanitizer and UBSan"
