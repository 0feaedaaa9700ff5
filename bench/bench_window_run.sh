#!/usr/bin/env bash
# The window against the command line on the same run: all 362880 orders,
# 140 games each, default report options. Alternates `diz-cli run` (its log
# to /dev/null) and a Simulate in the DIZ window (bench_window_run, offscreen,
# log pane live), RUNS times each, and prints the median wall and CPU times
# side by side with their ratio (target: window at most 1.15 x diz-cli).
#
#   bench/bench_window_run.sh           # release build in build/, 3 runs each
#   RUNS=5 BUILD_DIR=build bench/bench_window_run.sh
source "$(dirname "$0")/common.sh"
bench_build diz-cli bench_window_run core

reference_batters "$work/batters.txt"
(cd "$work" && "$build/bin/diz-cli" orders >order.dat)
orders=$(wc -l <"$work/order.dat")


TIMEFORMAT='%R %U %S'
: >"$work/cli.times"
: >"$work/window.times"
for ((i = 1; i <= runs; i++)); do
  (cd "$work" && { time "$build/bin/diz-cli" run --batters batters.txt --pattern '*********' \
      --output cli.txt >/dev/null 2>"$work/message"; } 2>>"$work/cli.times")
  grep -q '正常に終了しました' "$work/message" || { cat "$work/message"; exit 1; }
  # The window program reports its own timing of the Simulate action alone.
  (cd "$work" && "$build/bin/bench_window_run" batters.txt window.txt | head -1 >>"$work/window.times")
done
cmp -s "$work/cli.txt" "$work/window.txt" || { echo "result files differ"; exit 1; }

cli_wall=$(awk '{ print $1 }' "$work/cli.times" | median)
cli_cpu=$(awk '{ print $2 + $3 }' "$work/cli.times" | median)
win_wall=$(awk '{ print $2 }' "$work/window.times" | median)
win_cpu=$(awk '{ print $3 }' "$work/window.times" | median)
pane_lines=$(awk '{ print $4 }' "$work/window.times" | head -1)
ratio=$(awk -v w="$win_wall" -v c="$cli_wall" 'BEGIN { printf "%.3f", w / c }')

printf '%-40s %s orders x 140 games, %s result lines\n' "run" "$orders" "$(wc -l <"$work/cli.txt")"
printf '%-40s %8s %8s\n' "" "wall s" "CPU s"
printf '%-40s %8.2f %8.2f\n' "diz-cli run (process, median of $runs)" "$cli_wall" "$cli_cpu"
printf '%-40s %8.2f %8.2f\n' "DIZ window Simulate (median of $runs)" "$win_wall" "$win_cpu"
printf '%-40s %s lines kept of %s\n' "log pane" "$pane_lines" "$((orders + 9))"
printf '%-40s %s (target <= 1.15)\n' "ratio window / diz-cli (wall)" "$ratio"
awk -v r="$ratio" 'BEGIN { exit !(r <= 1.15) }' && echo "within target" || echo "OVER TARGET"
