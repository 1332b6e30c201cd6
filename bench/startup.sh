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
# are paid once and equally. Each round starts the programs in rotating order
# and times exec -> first top-level window mapped (bench/startup/map_timer.cpp):
#   warm  with the page cache as the previous round left it;
#   cold  with the page cache dropped before each start (needs root; skipped
#         otherwise).
# Resident memory is read two seconds after each warm start. Reported is the
# median of the per-round ratios (the pair median), which cancels the drift of a
# busy machine better than a ratio of medians. Wall time here cannot resolve
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
# information is mostly debug sections (the program's 14 MB against its 0.6 MB
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

# A warm-up start of each fills the page cache and is not counted.
for i in 0 1 2; do measure $i >/dev/null; done

# Columns of the rounds file: warm ms, kB, cold ms, for each program in turn.
: >"$scratch/rounds"
for ((r = 0; r < rounds; r++)); do
  declare -a warm=() rss=() cold=()
  for ((k = 0; k < 3; k++)); do
    i=$(((r + k) % 3))
    read -r warm[i] rss[i] < <(measure $i 2000)
  done
  for ((k = 0; k < 3; k++)); do
    i=$(((r + k) % 3))
    cold[i]=0
    if ((can_drop)); then
      drop_caches
      read -r cold[i] _ < <(measure $i)
    fi
  done
  line=""
  for i in 0 1 2; do line+="${warm[i]} ${rss[i]} ${cold[i]} "; done
  echo "$line" >>"$scratch/rounds"
  printf 'round %2d  warm ms %s %s %s   cold ms %s %s %s\n' $((r + 1)) \
    "${warm[0]}" "${warm[1]}" "${warm[2]}" "${cold[0]}" "${cold[1]}" "${cold[2]}"
done

col() { awk -v c="$1" '{ print $c }' "$scratch/rounds" | median; }
ratio() { awk -v a="$1" -v b="$2" '{ print ($b > 0) ? $a / $b : 0 }' "$scratch/rounds" | median; }
verdict() { awk -v r="$1" -v g="$2" 'BEGIN { print (r <= g) ? "ok" : "MISSED" }'; }
# Column of measure $1 (1 warm, 2 rss, 3 cold) of program $2.
c() { echo $(($2 * 3 + $1)); }

report() {  # title, measure, unit, goal
  local v=$(col "$(c "$2" 0)") r=$(col "$(c "$2" 1)") f=$(col "$(c "$2" 2)")
  local vr=$(ratio "$(c "$2" 0)" "$(c "$2" 1)") fr=$(ratio "$(c "$2" 2)" "$(c "$2" 1)")
  printf '%-34s vembrix %9.1f %s  reference %9.1f  floor %9.1f   ratio %.3f (goal <= %s: %s)  floor ratio %.3f\n' \
    "$1" "$v" "$3" "$r" "$f" "$vr" "$4" "$(verdict "$vr" "$4")" "$fr"
}

echo
echo "pair medians of $rounds rounds, each program against the reference in the same round:"
report "start-up warm (exec -> mapped)" 1 ms 1.08
if ((can_drop)); then
  report "start-up cold (page cache dropped)" 3 ms 1.05
else
  echo "start-up cold: skipped (dropping the page cache needs root)"
fi
report "resident memory 2 s after start" 2 kB 1.05

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
