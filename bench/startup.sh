#!/usr/bin/env bash
# Start-up time, memory and work of the program against the reference window
# (bench/startup/reference_window.cpp: a plain Qt window of the same size with
# about 40 ordinary widgets), and the press-to-repaint latency of each
# calculator.
#
#   bench/startup.sh [BUILD_DIR] [ROUNDS]    (defaults: build, 20)
#
# Also measured, as the floor: a bare window with the program's own widget
# inventory and font set-up but none of its code (bench/startup/bare_window.cpp
# --full). What the program costs beyond the floor is what its own code costs.
#
# One Xvfb serves the whole run, so the server's own start and its font set-up
# are paid once and equally. The programs run stripped, as the package
# installs them, in rotating order, each timed from exec to its first
# top-level window mapped (bench/startup/map_timer.cpp):
#   cold  with the page cache dropped before each start (needs root; skipped
#         otherwise);
#   warm  with the page cache filled by a start of each just before.
# Resident memory is read two seconds after a start. Reported is the median of
# the per-pair ratios (the pair median), which cancels the drift of a busy
# machine better than a ratio of medians. Wall time here cannot resolve
# differences under a few per cent, so the instructions executed from exec to
# the map request (callgrind, which repeats to within half a per cent) are
# counted as well.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
rounds=${2:-20}

build_log=$(mktemp)
cmake --build "$build" --target vembrix map_timer reference_window bare_window >"$build_log" 2>&1 ||
  { cat "$build_log" >&2; rm -f "$build_log"; exit 1; }
rm -f "$build_log"
timer=$build/bench/map_timer

scratch=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

# Each program runs stripped, as the package installs it. A build with debug
# information is mostly debug sections (the program's 14 MB against its 0.8 MB
# of code and data), and on a cold start the disk's read-ahead reads them in
# with the code although nothing uses them.
for program in vembrix bench/reference_window bench/bare_window; do
  strip -o "$scratch/${program##*/}" "$build/$program"
done
names=(vembrix reference floor)
commands=("$scratch/vembrix" "$scratch/reference_window" "$scratch/bare_window --full")

# -displayfd picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 \
  3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  sleep 0.1
done
[ -s "$scratch/display" ] || { echo "startup.sh: Xvfb did not start" >&2; cat "$scratch/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$scratch/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

can_drop=0
if [ -w /proc/sys/vm/drop_caches ] && sync && echo 3 >/proc/sys/vm/drop_caches 2>/dev/null; then
  can_drop=1
fi
drop_caches() { sync; echo 3 >/proc/sys/vm/drop_caches; }

# Prints "map_ms rss_kb" for one start of program number $1.
measure() {
  local line
  # shellcheck disable=SC2086 # a command line with its option
  line=$("$timer" --rss-after-ms "${2:-0}" -- ${commands[$1]} 2>>"$scratch/programs.log")
  case $line in
    *size=682x588) ;;
    *) echo "startup.sh: unexpected window from ${names[$1]}: $line" >&2; exit 1 ;;
  esac
  echo "$line" | sed -E 's/map_ms=([0-9.]+) cpu_ms=[0-9.]+ rss_kb=([0-9]+).*/\1 \2/'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Fills the page cache with what each program reads; these starts are not
# counted.
warm_up() { for i in 0 1 2; do measure $i >/dev/null; done; }

# Each line of a samples file holds one measure of the three programs, taken
# one after another: a pair sample for each program against the reference.
# A round takes the cold starts first (the warm starts after them would
# otherwise find only the last cold program's files in the page cache), then
# several passes of warm starts, which vary from start to start far more
# than the programs differ, then one start of each for its memory.
warm_passes=5
: >"$scratch/warm"
: >"$scratch/cold"
: >"$scratch/rss"
for ((r = 0; r < rounds; r++)); do
  declare -a warm=() rss=() cold=()
  if ((can_drop)); then
    for ((k = 0; k < 3; k++)); do
      i=$(((r + k) % 3))
      drop_caches
      read -r cold[i] _ < <(measure $i)
    done
    echo "${cold[*]}" >>"$scratch/cold"
  fi
  warm_up
  for ((p = 0; p < warm_passes; p++)); do
    for ((k = 0; k < 3; k++)); do
      i=$(((r + p + k) % 3))
      read -r warm[i] _ < <(measure $i)
    done
    echo "${warm[*]}" >>"$scratch/warm"
  done
  for ((k = 0; k < 3; k++)); do
    i=$(((r + k) % 3))
    read -r _ rss[i] < <(measure $i 2000)
  done
  echo "${rss[*]}" >>"$scratch/rss"
  printf 'round %2d  warm ms %s %s %s   cold ms %s %s %s\n' $((r + 1)) \
    "${warm[0]}" "${warm[1]}" "${warm[2]}" "${cold[0]:-0}" "${cold[1]:-0}" "${cold[2]:-0}"
done

col() { awk -v c="$2" '{ print $c }' "$1" | median; }
ratio() { awk -v a="$2" -v b="$3" '{ print ($b > 0) ? $a / $b : 0 }' "$1" | median; }
verdict() { awk -v r="$1" -v g="$2" 'BEGIN { print (r <= g) ? "ok" : "MISSED" }'; }

# Columns of a samples file: 1 vembrix, 2 reference, 3 floor.
report() {  # title, samples file, unit, goal
  local v=$(col "$2" 1) r=$(col "$2" 2) f=$(col "$2" 3)
  local vr=$(ratio "$2" 1 2) fr=$(ratio "$2" 3 2)
  printf '%-34s vembrix %9.1f %s  reference %9.1f  floor %9.1f   ratio %.3f (goal <= %s: %s)  floor ratio %.3f  (%d pairs)\n' \
    "$1" "$v" "$3" "$r" "$f" "$vr" "$4" "$(verdict "$vr" "$4")" "$fr" "$(wc -l <"$2")"
}

echo
echo "pair medians over $rounds rounds, each program against the reference in the same pass:"
report "start-up warm (exec -> mapped)" "$scratch/warm" ms 1.08
if ((can_drop)); then
  report "start-up cold (page cache dropped)" "$scratch/cold" ms 1.05
else
  echo "start-up cold: skipped (dropping the page cache needs root)"
fi
report "resident memory 2 s after start" "$scratch/rss" kB 1.05

# Instructions to the map request: callgrind dumps its counts on entry to
# xcb_map_window, the call that asks the server to map the first window; the
# first dump holds everything from exec to there.
if command -v valgrind >/dev/null; then
  declare -a instructions=()
  for i in 0 1 2; do
    out=$scratch/callgrind.${names[$i]}
    # shellcheck disable=SC2086
    "$timer" --timeout-ms 300000 -- valgrind --tool=callgrind --dump-before=xcb_map_window \
      --dump-instr=no --callgrind-out-file="$out" ${commands[$i]} >/dev/null 2>>"$scratch/programs.log"
    instructions[i]=$(awk '/^summary:/ { print $2 }' "$out.1")
  done
  ir=$(awk -v a="${instructions[0]}" -v b="${instructions[1]}" 'BEGIN { print a / b }')
  fr=$(awk -v a="${instructions[2]}" -v b="${instructions[1]}" 'BEGIN { print a / b }')
  printf '%-34s vembrix %9.1f M   reference %9.1f  floor %9.1f   ratio %.3f (goal <= 1.12: %s)  floor ratio %.3f\n' \
    "instructions, exec -> map request" "$(awk -v a="${instructions[0]}" 'BEGIN { print a / 1e6 }')" \
    "$(awk -v a="${instructions[1]}" 'BEGIN { print a / 1e6 }')" \
    "$(awk -v a="${instructions[2]}" 'BEGIN { print a / 1e6 }')" "$ir" "$(verdict "$ir" 1.12)" "$fr"
else
  echo "instructions: skipped (valgrind missing)"
fi

repaint=$build/bench/bench_calculators
if cmake --build "$build" --target bench_calculators >/dev/null 2>&1 && [ -x "$repaint" ]; then
  echo "button press to repainted result (offscreen), median of 5 runs:"
  QT_QPA_PLATFORM=offscreen "$repaint" --benchmark_filter=pressAndRepaint --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
    awk -F, '$1 ~ /_median"?$/ {
      name = $1; gsub(/"|pressAndRepaint\/|_median/, "", name)
      printf "  %-9s %8.1f us (goal < 1000 us: %s)\n", name, $3 / 1000, ($3 < 1e6) ? "ok" : "MISSED"
    }'
else
  echo "(bench_calculators not built: Google Benchmark missing; latency skipped)"
fi
