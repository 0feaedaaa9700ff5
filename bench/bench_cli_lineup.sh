#!/usr/bin/env bash
# What a lineup search costs: `diz-cli lineup` over examples/roster.csv (13
# players, 715 choices of nine) by default and with --exhaustive, and over
# that roster with two more made-up players (15 players, 5005 choices) by
# default; all with --jobs 2. Prints the median wall and CPU time of RUNS runs
# (EXHAUSTIVE_RUNS for --exhaustive, default 1: it takes a minute or more),
# the choices ranked over every order, and the CPU microseconds per set of
# nine rotations solved (every order counted once, nine to a set); then
# whether the default found the exhaustive search's best lineup.
# Targets: 13 players by default within 60 s and exhaustively within 10 min;
# 15 players by default within 3 min.
#
#   bench/bench_cli_lineup.sh
#   RUNS=5 EXHAUSTIVE_RUNS=3 bench/bench_cli_lineup.sh
source "$(dirname "$0")/common.sh"
bench_build diz-cli
exhaustiveRuns=${EXHAUSTIVE_RUNS:-1}

cp examples/roster.csv "$work/roster13.csv"
{
  cat examples/roster.csv
  printf 'Noa Ishikawa,450,125,22,4,9,41,3,0.31,0.6,0.42,SS\r\n'
  printf 'Oto Kameda,480,131,27,1,18,52,4,0.26,0.55,0.37,3B\r\n'
} >"$work/roster15.csv"

# measure LABEL RUNS ARGS...: RUNS runs of diz-cli lineup ARGS in $work; prints
# the medians and the search's own summary.
measure() {
  local label=$1 count=$2
  shift 2
  local log=$work/times.txt
  : >"$log"
  for _ in $(seq "$count"); do
    (cd "$work" && /usr/bin/time -f '%U %S %e' -o "$work/one.txt" \
      "$build/bin/diz-cli" lineup --jobs 2 --top 1 "$@" >"$work/out.txt" 2>/dev/null)
    cat "$work/one.txt" >>"$log"
  done
  cp "$work/out.txt" "$work/$label.txt"
  local wall cpu orders ranked
  wall=$(awk '{ print $3 }' "$log" | median)
  cpu=$(awk '{ print $1 + $2 }' "$log" | median)
  orders=$(sed -n 's/.*(\([0-9]*\) orders).*/\1/p' "$work/out.txt")
  ranked=$(sed -n '1s/^\([0-9]*\) choices.* \([0-9]*\) of them .*/\2 of \1/p' "$work/out.txt")
  awk -v l="$label" -v w="$wall" -v c="$cpu" -v o="$orders" -v r="$ranked" -v n="$count" 'BEGIN {
    printf "%-34s wall %7.2f s  CPU %7.2f s  ranked %-12s %.2f us/set  (median of %d)\n",
           l, w, c, r, c * 1e6 / (o / 9), n }'
}

echo "diz-cli lineup --jobs 2, $(nproc) CPUs, load $(cut -d' ' -f1-3 /proc/loadavg)"
measure "13 players, default" "$runs" --roster roster13.csv
measure "15 players, default" "$runs" --roster roster15.csv
measure "13 players, --exhaustive" "$exhaustiveRuns" --roster roster13.csv --exhaustive
# The default's best lineup against the exhaustive one.
if [[ $(grep '^   1 ' "$work/13 players, default.txt") == $(grep '^   1 ' "$work/13 players, --exhaustive.txt") ]]; then
  echo "13 players: the default finds the exhaustive search's best lineup"
else
  echo "13 players: the default's best lineup differs from the exhaustive search's"
fi
grep '^   1 ' "$work/13 players, --exhaustive.txt"
