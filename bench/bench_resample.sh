#!/usr/bin/env bash
# What resampling costs: `diz-cli exact --batters examples/batters.txt --all
# --resample N` (default N = 200) on two jobs, median wall and CPU time of
# RUNS runs, and beside it the same run without --resample. Each resampled
# season evaluates the 362880 orderings (40320 sets of rotations) exactly,
# expected runs only; the time per set is the resampled run's extra wall time
# over N x 40320 sets. The report of the last run is printed.
# Target: --resample 200 in under 2 minutes with --jobs 2.
#
#   bench/bench_resample.sh                  # release build in build/, 3 runs
#   RUNS=5 REPLICATES=100 bench/bench_resample.sh
source "$(dirname "$0")/common.sh"
bench_build diz-cli
replicates=${REPLICATES:-200}
cp examples/batters.txt "$work/batters.txt"

# timed LOG ARGS...: runs diz-cli exact with ARGS in $work and appends
# "user sys wall" to LOG.
timed() {
  local log=$1
  shift
  (cd "$work" && /usr/bin/time -f '%U %S %e' -a -o "$log" "$build/bin/diz-cli" exact \
      --batters batters.txt --all --quiet --jobs 2 "$@" >"$work/report" 2>"$work/message")
  grep -q '正常に終了しました' "$work/message" || { cat "$work/message"; exit 1; }
}

for ((i = 1; i <= runs; i++)); do
  timed "$work/plain"
  timed "$work/resampled" --resample "$replicates"
done

wall() { awk '{ print $3 }' "$1" | median; }
cpu() { awk '{ print $1 + $2 }' "$1" | median; }
plainWall=$(wall "$work/plain")
resampledWall=$(wall "$work/resampled")
printf '%-44s %s s wall, %s s CPU (median of %d)\n' "exact --all --jobs 2" "$plainWall" \
  "$(cpu "$work/plain")" "$runs"
printf '%-44s %s s wall, %s s CPU (median of %d)\n' \
  "exact --all --jobs 2 --resample $replicates" "$resampledWall" "$(cpu "$work/resampled")" "$runs"
awk -v a="$resampledWall" -v b="$plainWall" -v n="$replicates" \
  'BEGIN { printf "%-44s %.2f us wall per set of rotations\n", "each resampled season", (a - b) * 1e6 / (n * 40320) }'
sed -n '/^リサンプリング/,$p' "$work/report" | head -8
