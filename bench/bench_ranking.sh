#!/usr/bin/env bash
# The ranking window against the command line on the same work: all 362880
# orderings of examples/batters.txt evaluated exactly with one job per core.
# Alternates `diz-cli exact --all --jobs 0` (result lines to a file) and the
# ranking window (bench_ranking, offscreen, one evaluation per process),
# RUNS times each, and prints the medians: wall time (target: window at most
# 1.2 x diz-cli), the window's longest event-loop stall (target < 50 ms) and
# peak resident memory of each process (target for the window < 100 MB).
# With RESAMPLE=N, both go on to N resampled seasons (the window's 確からしさ,
# `diz-cli exact --resample N` with the window's ten shown orders; targets:
# the same ratio and stall, the window < 150 MB).
#
#   bench/bench_ranking.sh              # release build in build/, 3 runs each
#   RUNS=5 BUILD_DIR=build bench/bench_ranking.sh
#   RUNS=1 RESAMPLE=200 bench/bench_ranking.sh
source "$(dirname "$0")/common.sh"
bench_build diz-cli bench_ranking

cp examples/batters.txt "$work/batters.txt"
resample=${RESAMPLE:-0}
cli_extra=(--top 0)
if ((resample > 0)); then
  cli_extra=(--top 10 --resample "$resample")
fi
export QT_QPA_PLATFORM=offscreen

: >"$work/cli.times"
: >"$work/window.times"
for ((i = 1; i <= runs; i++)); do
  (cd "$work" && /usr/bin/time -f '%e %M' -o "$work/cli.last" "$build/bin/diz-cli" exact \
      --batters batters.txt --all --jobs 0 --quiet "${cli_extra[@]}" --output all.txt \
      >"$work/report" 2>"$work/message")
  grep -q '正常に終了しました' "$work/message" || { cat "$work/message"; exit 1; }
  cat "$work/cli.last" >>"$work/cli.times"
  "$build/bin/bench_ranking" "$work/batters.txt" 1 "$resample" >"$work/window.last" 2>&1 ||
    { cat "$work/window.last"; exit 1; }
  # "run 1: W s to ..., longest event-loop stall S ms" and "peak resident memory: M MB ..."
  awk '/^run 1:/ { w = $3; s = $(NF - 1) } /^peak resident memory/ { m = $4 }
       END { print w, s, m }' "$work/window.last" >>"$work/window.times"
done

cli_wall=$(awk '{ print $1 }' "$work/cli.times" | median)
cli_mem=$(awk '{ print $2 / 1024 }' "$work/cli.times" | median)
win_wall=$(awk '{ print $1 }' "$work/window.times" | median)
win_stall=$(awk '{ print $2 }' "$work/window.times" | median)
win_mem=$(awk '{ print $3 }' "$work/window.times" | median)
ratio=$(awk -v w="$win_wall" -v c="$cli_wall" 'BEGIN { printf "%.3f", w / c }')

printf '%-44s %8s %10s\n' "all 362880 orders, jobs = cores (median of $runs)" "wall s" "peak MB"
printf '%-44s %8.2f %10.1f\n' "diz-cli exact --all --jobs 0 --resample $resample" "$cli_wall" \
  "$cli_mem"
printf '%-44s %8.2f %10.1f\n' "ranking window (evaluate to filled table)" "$win_wall" "$win_mem"
printf '%-44s %s (target <= 1.2)\n' "ratio window / diz-cli (wall)" "$ratio"
printf '%-44s %s ms (target < 50)\n' "window's longest event-loop stall" "$win_stall"
