# Set-up shared by the whole-run bench scripts; sourced, not run.
# Gives root, build (BUILD_DIR, default build/), runs (RUNS, default 3), a
# scratch folder $work removed on exit, and the helpers below.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[1]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=${RUNS:-3}
cd "$root"
if [[ ! -d $build ]]; then cmake --preset release >/dev/null; fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# bench_build TARGET...: brings the named targets up to date.
bench_build() { cmake --build "$build" -j2 --target "$@" >/dev/null; }

# median: the median of the numbers on standard input, one a line.
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# reference_batters FILE: nine copies of the reference batter (400 AB, 100 1B,
# 20 2B, 2 3B, 10 HR, 50 BB; rates 0.25 0.5 0.4).
reference_batters() {
  for _ in 1 2 3 4 5 6 7 8 9; do
    printf '400 100 20 2 10 50 0.250000 0.500000 0.400000\r\n'
  done >"$1"
}
