#!/usr/bin/env bash
# Builds the libFuzzer targets of the field rules with clang into build-fuzz/
# (or $VEMBRIX_FUZZ_BUILD_DIR) and runs each for $1 seconds (default 60) on a
# scratch copy of its checked-in corpus, so the corpus stays as committed. A
# crash, a sanitizer report, a failed property or a hang fails the script;
# the inputs that caused them are kept under <build>/fuzz-findings/<target>/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEMBRIX_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-60}
corpora=$root/tests/fuzz/corpus

"$root/scripts/setup.sh"
(cd "$root" && cmake --preset fuzzers -B "$build" >/dev/null)
cmake --build "$build" --target fuzzers -j "$(nproc)"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
findings=$build/fuzz-findings
rm -rf "$findings"

failed=()
targets=0
# Every built fuzzer runs, and each must have its seed corpus.
for fuzzer in "$build"/tests/fuzz/fuzz_*; do
  [ -f "$fuzzer" ] && [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus=$corpora/$name/
  [ -d "$corpus" ] || { echo "fuzz: no seed corpus for $name under $corpora" >&2; exit 1; }
  targets=$((targets + 1))
  work=$scratch/$name
  mkdir -p "$work/corpus" "$work/artifacts"
  cp -R "$corpus". "$work/corpus/"
  echo "fuzz: $name for ${seconds}s on $(find "$work/corpus" -type f | wc -l) corpus inputs"
  start=$SECONDS
  # -timeout: an input that takes seconds is a hang, not a slow machine.
  if "$fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$work/artifacts/" "$work/corpus" >"$work/log" 2>&1; then
    echo "fuzz: $name passed in $((SECONDS - start))s: $(grep -E '^stat::number_of_executed_units' "$work/log" | awk '{print $2}') runs"
  else
    failed+=("$name")
    echo "fuzz: $name FAILED; the end of its log:" >&2
    tail -n 40 "$work/log" >&2
    mkdir -p "$findings/$name"
    cp -R "$work/artifacts/." "$findings/$name/"
    for input in "$findings/$name"/*; do
      [ -f "$input" ] || continue
      echo "fuzz: input $input:" >&2
      od -A d -c "$input" | head -n 20 >&2
    done
  fi
done

((targets > 0)) || { echo "fuzz: no fuzzer was built" >&2; exit 1; }
if ((${#failed[@]})); then
  echo "fuzz: FAILED: ${failed[*]} (inputs under $findings)" >&2
  exit 1
fi
echo "fuzz: all $targets fuzzers passed, ${seconds}s each"
