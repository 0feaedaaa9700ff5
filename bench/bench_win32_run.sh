#!/usr/bin/env bash
# DIZ.exe's window against diz-cli.exe on the same run, side by side under
# wine on a virtual display: all 362880 orders, 140 games each, default
# report options. Alternates `diz-cli.exe run` (its log to /dev/null) and a
# Simulate in the Win32 main window (bench_win32_run.exe: the window of
# DIZ.exe, log pane live, the chooser and boxes answered without a user),
# RUNS times each, and prints the median wall and CPU times side by side with
# their ratio (target: window at most 1.15 x diz-cli.exe).
#
#   bench/bench_win32_run.sh          # windows-cross build in build-windows/, 3 runs each
#   RUNS=5 bench/bench_win32_run.sh
source "$(dirname "$0")/win32_common.sh"
bench_build diz-cli bench_win32_run core

reference_batters "$work/batters.txt"
wine_cli "$work" "$DIZ_BIN/diz-cli.exe" orders >"$work/order.dat"
orders=$(wc -l <"$work/order.dat")

TIMEFORMAT='%R %U %S'
: >"$work/cli.times"
: >"$work/window.times"
for ((i = 1; i <= runs; i++)); do
  { time wine_cli "$work" "$DIZ_BIN/diz-cli.exe" run --batters batters.txt --pattern '*********' \
      --output cli.txt >/dev/null 2>"$work/message"; } 2>>"$work/cli.times"
  grep -q '正常に終了しました' "$work/message" || { cat "$work/message"; exit 1; }
  # The window program reports its own timing of the Simulate action alone.
  wine_cli "$work" "$DIZ_BIN/bench_win32_run.exe" batters.txt window.txt | tr -d '\r' |
    head -1 >>"$work/window.times"
done
cmp -s "$work/cli.txt" "$work/window.txt" || { echo "result files differ"; exit 1; }

cli_wall=$(awk '{ print $1 }' "$work/cli.times" | median)
cli_cpu=$(awk '{ print $2 + $3 }' "$work/cli.times" | median)
win_wall=$(awk '{ print $2 }' "$work/window.times" | median)
win_cpu=$(awk '{ print $3 }' "$work/window.times" | median)
pane_lines=$(awk '{ print $4 }' "$work/window.times" | head -1)
ratio=$(awk -v w="$win_wall" -v c="$cli_wall" 'BEGIN { printf "%.3f", w / c }')

printf '%-44s %s orders x 140 games, %s result lines\n' "run" "$orders" "$(wc -l <"$work/cli.txt")"
printf '%-44s %8s %8s\n' "" "wall s" "CPU s"
printf '%-44s %8.2f %8.2f\n' "diz-cli.exe run (process, median of $runs)" "$cli_wall" "$cli_cpu"
printf '%-44s %8.2f %8.2f\n' "DIZ.exe window Simulate (median of $runs)" "$win_wall" "$win_cpu"
printf '%-44s %s lines kept of %s\n' "log pane" "$pane_lines" "$((orders + 9))"
printf '%-44s %s (target <= 1.15)\n' "ratio window / diz-cli.exe (wall)" "$ratio"
awk -v r="$ratio" 'BEGIN { exit !(r <= 1.15) }' && echo "within target" || echo "OVER TARGET"
