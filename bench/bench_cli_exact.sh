#!/usr/bin/env bash
# What the exact evaluation costs: one order single-threaded (BM_ExactOrder)
# and a set of nine rotations on one lane and on the widest lane path this
# processor has (BM_ExactSets, every figure and the expected runs only),
# median CPU time of five repetitions; beside them the whole `diz-cli exact
# --all` over the 362880 orderings of examples/batters.txt with --jobs 1 and
# 2, once with `--report mean` and once with all four report parts (median
# wall and CPU time of RUNS runs, result lines to a file only), and the peak
# resident memory over an order file of LINES_OF_ORDERS random orderings
# (default 10 million, 110 MB).
# Targets: all orders with --report mean in under 0.3 s with --jobs 2; 10
# million order lines in under 50 MB. Measured on 2026-12-09 side by side with
# the build before the direct solve, see the README's Benchmarks.
#
# With BASELINE=path/to/another/diz-cli, that program runs the same --all and
# order-file commands in turn with ours, for a side-by-side comparison, and
# the ratios baseline / ours of the medians are printed; the result files of
# the two are compared line by line.
#
#   bench/bench_cli_exact.sh            # release build in build/, 3 runs
#   RUNS=5 BUILD_DIR=build bench/bench_cli_exact.sh
#   BASELINE=/tmp/old/build/bin/diz-cli bench/bench_cli_exact.sh
source "$(dirname "$0")/common.sh"
bench_build diz-cli bench_exact
lines=${LINES_OF_ORDERS:-10000000}

cp examples/batters.txt "$work/batters.txt"

# cpu_median FILTER: median CPU time in microseconds of five repetitions of
# the benchmark FILTER names (the repetitions only, not their aggregates).
cpu_median() {
  "$build/bin/bench_exact" --benchmark_filter="$1" --benchmark_repetitions=5 \
    --benchmark_format=json >"$work/bench.json" 2>/dev/null
  awk '/"run_type"/ { iteration = ($2 ~ /iteration/) }
       /"cpu_time"/ && iteration { sub(",", "", $2); print $2 }' "$work/bench.json" | median
}
one=$(cpu_median '^BM_ExactOrder/1$')
# BM_ExactSets solves 64 sets an iteration; its paths are 0 (one lane), 1
# (AVX2) and 2 (AVX-512).
widest=0
grep -q avx2 /proc/cpuinfo && widest=1
grep -q avx512f /proc/cpuinfo && widest=2
declare -A perSet
for path in 0 "$widest"; do
  for meanOnly in 0 1; do
    perSet[$path.$meanOnly]=$(awk -v t="$(cpu_median "^BM_ExactSets/$path/$meanOnly\$")" \
      'BEGIN { printf "%.2f", t / 64 }')
  done
done

programs=(new)
declare -A cli=([new]="$build/bin/diz-cli")
if [[ -n ${BASELINE:-} ]]; then
  programs+=(baseline)
  cli[baseline]=$BASELINE
fi
declare -A reportOf=([mean]=mean [all]=mean,se,inning-runs,inning-prob)

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
  for report in mean all; do
    for jobs in 1 2; do
      for name in "${programs[@]}"; do
        timed "$name" "$work/all.$name.$report.$jobs" --all --jobs "$jobs" \
          --report "${reportOf[$report]}" --output "all.$name.$report.$jobs.txt"
      done
    done
  done
done
for report in mean all; do
  cmp -s "$work/all.new.$report.1.txt" "$work/all.new.$report.2.txt" ||
    { echo "--report ${reportOf[$report]}: --jobs 1 and 2 differ"; exit 1; }
done
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

printf '%-46s %.1f us CPU (median of 5)\n' "one order (BM_ExactOrder/1)" "$one"
for path in 0 "$widest"; do
  label=$([[ $path == 0 ]] && echo "one lane" || echo "$((path == 1 ? 4 : 8)) lanes")
  printf '%-46s %s us every figure, %s us the mean only\n' \
    "a set of rotations, $label (BM_ExactSets)" "${perSet[$path.0]}" "${perSet[$path.1]}"
done
for report in mean all; do
  for jobs in 1 2; do
    for name in "${programs[@]}"; do
      cpu=$(awk '{ print $1 + $2 }' "$work/all.$name.$report.$jobs" | median)
      wall=$(awk '{ print $3 }' "$work/all.$name.$report.$jobs" | median)
      printf '%-46s %s s wall, %s s CPU (median of %d)\n' \
        "$name: exact --all --jobs $jobs --report $report" "$wall" "$cpu" "$runs"
    done
    if [[ -n ${BASELINE:-} ]]; then
      printf '%-46s %s\n' "  ratio baseline / new (wall)" "$(
        awk '{ print $3 }' "$work/all.baseline.$report.$jobs" | median |
          awk -v n="$(awk '{ print $3 }' "$work/all.new.$report.$jobs" | median)" \
            '{ printf "%.2f", $1 / n }')"
    fi
  done
done
for name in "${programs[@]}"; do
  read -r user sys wall peak <"$work/many.$name"
  printf '%-46s %s s wall, peak %.1f MB\n' "$name: exact over $lines order lines" "$wall" \
    "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')"
done
echo "result lines: $(wc -l <"$work/all.new.all.2.txt"), identical for --jobs 1 and 2"
if [[ -n ${BASELINE:-} ]]; then
  for report in mean all; do
    differing=$(diff "$work/all.new.$report.2.txt" "$work/all.baseline.$report.2.txt" |
      grep -c '^<' || true)
    echo "--report ${reportOf[$report]}: $differing lines differ from the baseline's"
  done
  cmp -s "$work/many.new.txt" "$work/many.baseline.txt" ||
    echo "the result files over $lines order lines differ"
  cmp -s "$work/many-top.new" "$work/many-top.baseline" || echo "the rankings differ"
fi
sed -n '1,4p' "$work/all-top.new"
