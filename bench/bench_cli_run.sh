#!/usr/bin/env bash
# What a whole diz-cli run costs beside the engine alone: runs the engine
# benchmark for 140-game trials, predicts the CPU time of 362880 orders x 140
# games from its games per second, then times `diz-cli run` over an order file
# of all 362880 orders (made with `diz-cli orders`) and prints both side by
# side with their ratio (target: at most 1.10).
#
#   bench/bench_cli_run.sh            # release build in build/, 3 runs
#   RUNS=5 BUILD_DIR=build bench/bench_cli_run.sh
source "$(dirname "$0")/common.sh"
bench_build diz-cli bench_trial

reference_batters "$work/batters.txt"
(cd "$work" && "$build/bin/diz-cli" orders >order.dat)
orders=$(wc -l <"$work/order.dat")
games=$((orders * 140))


# Engine alone: median games per second (CPU time) of five repetitions.
"$build/bin/bench_trial" --benchmark_filter='^BM_Trial/140$' --benchmark_repetitions=5 \
  --benchmark_format=json >"$work/trial.json" 2>/dev/null
rate=$(grep -o '"items_per_second": [0-9.e+]*' "$work/trial.json" | awk '{ print $2 }' | median)
predicted=$(awk -v g="$games" -v r="$rate" 'BEGIN { printf "%.2f", g / r }')

# Whole runs: CPU time (user + system) and wall time of each.
TIMEFORMAT='%U %S %R'
: >"$work/times"
for ((i = 1; i <= runs; i++)); do
  (cd "$work" && { time "$build/bin/diz-cli" run --batters batters.txt --pattern '*********' \
      --quiet >/dev/null 2>"$work/message"; } 2>>"$work/times")
  grep -q '正常に終了しました' "$work/message" || { cat "$work/message"; exit 1; }
done
lines=$(wc -l <"$work/output.txt")
cpu=$(awk '{ print $1 + $2 }' "$work/times" | median)
wall=$(awk '{ print $3 }' "$work/times" | median)
ratio=$(awk -v c="$cpu" -v p="$predicted" 'BEGIN { printf "%.3f", c / p }')

printf '%-44s %s\n' "orders x games" "$orders x 140 = $games games ($lines result lines)"
printf '%-44s %.0f games/s (median of 5, CPU time)\n' "engine benchmark BM_Trial/140" "$rate"
printf '%-44s %s s CPU\n' "engine prediction for the run" "$predicted"
printf '%-44s %s s CPU, %s s wall (median of %d)\n' "diz-cli run, all orders, 140 games" "$cpu" "$wall" "$runs"
printf '%-44s %s (target <= 1.10)\n' "ratio run / prediction" "$ratio"
awk -v r="$ratio" 'BEGIN { exit !(r <= 1.10) }' && echo "within target" || echo "OVER TARGET"
