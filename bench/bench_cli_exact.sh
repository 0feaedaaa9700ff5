#!/usr/bin/env bash
# What the exact evaluation costs: one order single-threaded (BM_ExactOrder,
# median CPU time of five repetitions) beside the whole `diz-cli exact --all`
# over the 362880 orderings of examples/batters.txt with --jobs 1 and 2
# (median wall and CPU time of RUNS runs, result lines to a file only).
# Targets: one order <= 100 us; all orders <= 3 s with --jobs 2.
#
#   bench/bench_cli_exact.sh            # release build in build/, 3 runs
#   RUNS=5 BUILD_DIR=build bench/bench_cli_exact.sh
source "$(dirname "$0")/common.sh"
bench_build diz-cli bench_exact

cp examples/batters.txt "$work/batters.txt"


"$build/bin/bench_exact" --benchmark_filter='^BM_ExactOrder/1$' --benchmark_repetitions=5 \
  --benchmark_format=json >"$work/order.json" 2>/dev/null
one=$(grep -o '"cpu_time": [0-9.e+]*' "$work/order.json" | awk '{ print $2 }' | median)

TIMEFORMAT='%U %S %R'
for jobs in 1 2; do
  : >"$work/times$jobs"
  for ((i = 1; i <= runs; i++)); do
    (cd "$work" && { time "$build/bin/diz-cli" exact --batters batters.txt --all --quiet \
        --jobs "$jobs" --output "all$jobs.txt" >"top$jobs.txt" 2>"$work/message"; } \
        2>>"$work/times$jobs")
    grep -q '正常に終了しました' "$work/message" || { cat "$work/message"; exit 1; }
  done
done
cmp -s "$work/all1.txt" "$work/all2.txt" || { echo "--jobs 1 and 2 differ"; exit 1; }

printf '%-40s %.1f us CPU (median of 5; target <= 100)\n' "one order (BM_ExactOrder/1)" "$one"
for jobs in 1 2; do
  cpu=$(awk '{ print $1 + $2 }' "$work/times$jobs" | median)
  wall=$(awk '{ print $3 }' "$work/times$jobs" | median)
  printf '%-40s %s s wall, %s s CPU (median of %d)\n' "diz-cli exact --all --jobs $jobs" "$wall" \
    "$cpu" "$runs"
done
echo "result lines: $(wc -l <"$work/all2.txt"), identical for --jobs 1 and 2"
sed -n '1,4p' "$work/top2.txt"
