#!/usr/bin/env bash
# Start-up time and memory of the program against a plain Qt window of the
# same size (bench/startup/bare_window.cpp), and the press-to-repaint latency
# of each calculator.
#
#   bench/startup.sh [BUILD_DIR] [ROUNDS] [--full]    (defaults: build, 20)
#
# --full compares with the bare window built with the program's own widget
# inventory instead of the plain 40 widgets, which separates what the number
# of widgets costs from what the program's code costs.
#
# One Xvfb serves the whole run, so the server's own start and its font
# set-up are paid once and equally. Each round starts both programs, in
# alternating order, and times exec -> first top-level window mapped
# (bench/startup/map_timer.cpp); each program's resident memory is read two
# seconds after its start. A warm-up round fills the page cache and is not
# counted. Reported: per-program medians and the median of the per-round
# ratios, which cancels the drift of a busy machine better than a ratio of
# medians.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
rounds=${2:-20}
bare_option=${3:-}

build_log=$(mktemp)
cmake --build "$build" --target vembrix map_timer bare_window >"$build_log" 2>&1 ||
  { cat "$build_log" >&2; rm -f "$build_log"; exit 1; }
rm -f "$build_log"
timer=$build/bench/map_timer
program=$build/vembrix
bare=$build/bench/bare_window

scratch=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

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

# Prints "map_ms cpu_ms rss_kb" for one start of the given program.
measure() {
  local line
  line=$("$timer" --rss-after-ms 2000 -- "$@" 2>>"$scratch/programs.log")
  case $line in
    *size=682x588) ;;
    *) echo "startup.sh: unexpected window from $1: $line" >&2; exit 1 ;;
  esac
  echo "$line" | sed -E 's/map_ms=([0-9.]+) cpu_ms=([0-9.]+) rss_kb=([0-9]+).*/\1 \2 \3/'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

bare_cmd=("$bare")
[ -n "$bare_option" ] && bare_cmd+=("$bare_option")

measure "$program" >/dev/null
measure "${bare_cmd[@]}" >/dev/null

: >"$scratch/rounds"
for ((r = 1; r <= rounds; r++)); do
  if ((r % 2)); then
    p=$(measure "$program"); b=$(measure "${bare_cmd[@]}")
  else
    b=$(measure "${bare_cmd[@]}"); p=$(measure "$program")
  fi
  echo "$p $b" >>"$scratch/rounds"
  printf 'round %2d  vembrix %s  bare %s\n' "$r" "$p" "$b"
done

# Columns: program ms, CPU ms, kB, then the same for the bare window.
col() { awk -v c="$1" '{ print $c }' "$scratch/rounds" | median; }
ratio() { awk -v a="$1" -v b="$2" '{ print $a / $b }' "$scratch/rounds" | median; }
p_ms=$(col 1); p_cpu=$(col 2); p_kb=$(col 3); b_ms=$(col 4); b_cpu=$(col 5); b_kb=$(col 6)
t_ratio=$(ratio 1 4); c_ratio=$(ratio 2 5); m_ratio=$(ratio 3 6)
verdict() { awk -v r="$1" -v g="$2" 'BEGIN { print (r <= g) ? "ok" : "MISSED" }'; }

echo
echo "start-up (exec -> window mapped), median of $rounds rounds${bare_option:+, bare window $bare_option}:"
printf '  vembrix %8.1f ms   bare window %8.1f ms   ratio %.3f (goal <= 1.10: %s)\n' \
  "$p_ms" "$b_ms" "$t_ratio" "$(verdict "$t_ratio" 1.10)"
echo "CPU time used until then (steadier on a busy machine; for finding causes):"
printf '  vembrix %8.1f ms   bare window %8.1f ms   ratio %.3f\n' "$p_cpu" "$b_cpu" "$c_ratio"
echo "resident memory 2 s after start:"
printf '  vembrix %8.0f kB   bare window %8.0f kB   ratio %.3f (goal <= 1.15: %s)\n' \
  "$p_kb" "$b_kb" "$m_ratio" "$(verdict "$m_ratio" 1.15)"

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
