#!/usr/bin/env bash
# What the exact evaluation costs: one order single-threaded (BM_ExactOrder,
# median CPU time of five repetitions) beside the whole `diz-cli exact --all`
# over the 362880 orderings of examples/batters.txt with --jobs 1 and 2
# (median wall and CPU time of RUNS runs, result lines to a file only), and
# the peak resident memory over an order file of LINES_OF_ORDERS random orderings
# (default 10 million, 110 MB).
# Targets: one order <= 100 us; all orders <= 3 s with --jobs 2; 10 million
# order lines in under 50 MB.
#
# With BASELINE=path/to/another/diz-cli, that program runs the same --all and
# order-file commands in turn with ours, for a side-by-side comparison.
#
#   bench/bench_cli_exact.sh            # release build in build/, 3 runs
#   RUNS=5 BUILD_DIR=build bench/bench_cli_exact.sh
#   BASELINE=/tmp/old/build/bin/diz-cli bench/bench_cli_exact.sh
source "$(dirname "$0")/common.sh"
bench_build diz-cli bench_exact
lines=${LINES_OF_ORDERS:-10000000}

cp examples/batters.txt "$work/batters.txt"

"$build/bin/bench_exact" --benchmark_filter='^BM_ExactOrder/1$' --benchmark_repetitions=5 \
  --benchmark_format=json >"$work/order.json" 2>/dev/null
one=$(grep -o '"cpu_time": [0-9.e+]*' "$work/order.json" | awk '{ print $2 }' | median)

programs=(new)
declare -A cli=([new]="$build/bin/diz-cli")
if [[ -n ${BASELINE:-} ]]; then
  programs+=(baseline)
  cli[baseline]=$BASELINE
fi

# timed NAME LOG ARGS...: runs diz-cli NAME with ARGS in $work and appends
# "user sys wall peakKB" to LOG.
timed() {
  local name=$1 log=$2
  shift 2
  (cd "$work" && /usr/bin/time -f '%U %S %e %M' -a -o "$log" "${cli[$name]}" exact \
      --batters batters.txt --quiet "$@" >"$work/top.$name" 2>"$work/message")
  # /usr/bin/time adds a line of its own when the status is not 0.
  grep -q '正常に終了しました' "$work/message" || { cat "$work/message"; exit 1; }
}

for ((i = 1; i <= runs; i++)); do
  for jobs in 1 2; do
    for name in "${programs[@]}"; do
      timed "$name" "$work/all.$name.$jobs" --all --jobs "$jobs" --output "all.$name.$jobs.txt"
    done
  done
done
cmp -s "$work/all.new.1.txt" "$work/all.new.2.txt" || { echo "--jobs 1 and 2 differ"; exit 1; }
cp "$work/top.new" "$work/all-top.new"

awk -v n="$lines" 'BEGIN {
  srand(1)
  for (k = 0; k < n; k++) {
    split("abcdefghi", a, "")
    for (i = 9; i > 1; i--) { j = int(rand() * i) + 1; t = a[i]; a[i] = a[j]; a[j] = t }
    printf "%s%s%s%s%s%s%s%s%s\r\n", a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]
  } }' >"$work/many.dat"
for name in "${programs[@]}"; do
  timed "$name" "$work/many.$name" --orders many.dat --pattern '*********' --output "many.$name.txt"
  mv "$work/top.$name" "$work/many-top.$name"
done
if [[ -n ${BASELINE:-} ]]; then
  cmp -s "$work/all.new.2.txt" "$work/all.baseline.2.txt" &&
    cmp -s "$work/many.new.txt" "$work/many.baseline.txt" ||
    { echo "the result files of the two programs differ"; exit 1; }
  cmp -s "$work/many-top.new" "$work/many-top.baseline" || { echo "the rankings differ"; exit 1; }
fi

printf '%-40s %.1f us CPU (median of 5; target <= 100)\n' "one order (BM_ExactOrder/1)" "$one"
for name in "${programs[@]}"; do
  for jobs in 1 2; do
    cpu=$(awk '{ print $1 + $2 }' "$work/all.$name.$jobs" | median)
    wall=$(awk '{ print $3 }' "$work/all.$name.$jobs" | median)
    printf '%-40s %s s wall, %s s CPU (median of %d)\n' \
      "$name: exact --all --jobs $jobs" "$wall" "$cpu" "$runs"
  done
  read -r user sys wall peak <"$work/many.$name"
  printf '%-40s %s s wall, peak %.1f MB\n' "$name: exact over $lines order lines" "$wall" \
    "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')"
done
echo "result lines: $(wc -l <"$work/all.new.2.txt"), identical for --jobs 1 and 2"
sed -n '1,4p' "$work/all-top.new"
