#!/usr/bin/env bash
# DIZ.exe's ranking window against diz-cli.exe on the same work, side by side
# under wine on a virtual display: all 362880 orderings of
# examples/batters.txt evaluated exactly with one job per core. Alternates
# `diz-cli.exe exact --all --jobs 0` (result lines to a file) and the Win32
# ranking window (bench_win32_ranking.exe, one evaluation per process), RUNS
# times each, and prints the medians: wall time (target: window at most 1.2 x
# diz-cli.exe), the window's longest message-loop stall (target < 50 ms) and
# longest single message, and the peak memory of each process (target for the
# window < 100 MB). With RESAMPLE=N both go on to N resampled seasons (the
# window's 確からしさ, `diz-cli.exe exact --resample N` with the window's ten
# shown orders), as bench_ranking.sh does for the Qt window.
#
#   bench/bench_win32_ranking.sh      # windows-cross build in build-windows/, 3 runs each
#   RUNS=5 bench/bench_win32_ranking.sh
#   RUNS=1 RESAMPLE=200 bench/bench_win32_ranking.sh
source "$(dirname "$0")/win32_common.sh"
bench_build diz-cli bench_win32_ranking core

resample=${RESAMPLE:-0}
cli_extra=(--top 0)
if ((resample > 0)); then
  cli_extra=(--top 10 --resample "$resample")
fi
cp examples/batters.txt "$work/batters.txt"
: >"$work/cli.times"
: >"$work/window.times"
for ((i = 1; i <= runs; i++)); do
  (cd "$work" && /usr/bin/time -f '%e %M' -o cli.last "$DIZ_WINE" "$DIZ_BIN/diz-cli.exe" exact \
      --batters batters.txt --all --jobs 0 --quiet "${cli_extra[@]}" --output all.txt \
      </dev/null >/dev/null 2>message)
  grep -q '正常に終了しました' "$work/message" || { cat "$work/message"; exit 1; }
  cat "$work/cli.last" >>"$work/cli.times"
  wine_cli "$work" "$DIZ_BIN/bench_win32_ranking.exe" batters.txt 1 "$resample" | tr -d '\r' \
    >"$work/window.last" 2>&1 || { cat "$work/window.last"; exit 1; }
  # "run 1: W s to ..., longest message L ms, longest event-loop stall S ms
  # (ended at E s)" and "peak resident memory: M MB ..."
  awk '/^run 1:/ { w = $3
                   match($0, /longest message [0-9.]+/); l = substr($0, RSTART + 16, RLENGTH - 16)
                   match($0, /stall [0-9.]+/); s = substr($0, RSTART + 6, RLENGTH - 6)
                   match($0, /ended at [0-9.]+/); e = substr($0, RSTART + 9, RLENGTH - 9) }
       /^peak resident memory/ { m = $4 }
       END { print w, s, m, l, e }' "$work/window.last" >>"$work/window.times"
done

cli_wall=$(awk '{ print $1 }' "$work/cli.times" | median)
cli_mem=$(awk '{ print $2 / 1024 }' "$work/cli.times" | median)
win_wall=$(awk '{ print $1 }' "$work/window.times" | median)
win_stall=$(awk '{ print $2 }' "$work/window.times" | median)
win_mem=$(awk '{ print $3 }' "$work/window.times" | median)
win_message=$(awk '{ print $4 }' "$work/window.times" | median)
win_stall_end=$(awk '{ print $5 }' "$work/window.times" | median)
ratio=$(awk -v w="$win_wall" -v c="$cli_wall" 'BEGIN { printf "%.3f", w / c }')

printf '%-48s %8s %10s\n' "all 362880 orders, jobs = cores (median of $runs)" "wall s" "peak MB"
printf '%-48s %8.2f %10.1f\n' "diz-cli.exe exact --all --jobs 0 --resample $resample" "$cli_wall" "$cli_mem"
printf '%-48s %8.2f %10.1f\n' "ranking window (evaluate to filled table)" "$win_wall" "$win_mem"
printf '%-48s %s (target <= 1.2)\n' "ratio window / diz-cli.exe (wall)" "$ratio"
printf '%-48s %s ms (target < 50), ended %s s in\n' "window's longest message-loop stall" \
  "$win_stall" "$win_stall_end"
printf '%-48s %s ms\n' "window's longest single message" "$win_message"
