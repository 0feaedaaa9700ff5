#!/bin/sh
# Builds the fuzz targets with the fuzz preset and runs each for a short time
# (FUZZ_SECONDS, default 30) on a seed corpus of valid files. Exits non-zero on
# a crash or a sanitizer report.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${FUZZ_SECONDS:-30}
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 --target fuzz_batter_file fuzz_order_file fuzz_roster

work=$root/build-fuzz/fuzz-work
rm -rf "$work"
mkdir -p "$work/batter_file" "$work/order_file" "$work/roster"
printf '400 100 20 2 10 50 0.250000 0.500000 0.400000\r\n7 8\r\n-1 0x1p3 1e999\n' \
  >"$work/batter_file/seed1"
printf 'abcdefghi\r\nihgfedcba\nabcdefghiabcdefghiabcdefg\r\n' >"$work/order_file/seed1"
printf 'a********abcdefghi*****i***%27s\nabcdefghi\r\nbacdefghi\n' '' >"$work/order_file/seed2"

printf '\357\273\277name,AB,H,2B,3B,HR,BB,HBP,1B 1to3,pos\r\n"Mori, Jr.",500,150,30,3,20,50,6,0.3,CF\r\n' \
  >"$work/roster/seed1"
printf '選手名,打数,単打,二塁打,三塁打,本塁打,四球,一塁→本塁\n佐藤,400,80,20,2,10,40,\n' >"$work/roster/seed2"

for target in batter_file order_file roster; do
  echo "== fuzz_$target for ${seconds}s"
  "$root/build-fuzz/bin/fuzz_$target" -max_total_time="$seconds" -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$work/$target-" "$work/$target"
done
echo "fuzzers: no crash, no sanitizer report"
