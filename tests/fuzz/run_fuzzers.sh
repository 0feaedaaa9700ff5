#!/bin/sh
# Builds the fuzz targets with the fuzz preset and runs each for a short time
# (FUZZ_SECONDS, default 30) on a seed corpus of valid files. Exits non-zero on
# a crash or a sanitizer report.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${FUZZ_SECONDS:-30}
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 --target fuzz_batter_file fuzz_order_file

work=$root/build-fuzz/fuzz-work
rm -rf "$work"
mkdir -p "$work/batter_file" "$work/order_file"
printf '400 100 20 2 10 50 0.250000 0.500000 0.400000\r\n7 8\r\n-1 0x1p3 1e999\n' \
  >"$work/batter_file/seed1"
printf 'abcdefghi\r\nihgfedcba\nabcdefghiabcdefghiabcdefg\r\n' >"$work/order_file/seed1"
printf 'a********abcdefghi*****i***%27s\nabcdefghi\r\nbacdefghi\n' '' >"$work/order_file/seed2"

for target in batter_file order_file; do
  echo "== fuzz_$target for ${seconds}s"
  "$root/build-fuzz/bin/fuzz_$target" -max_total_time="$seconds" -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$work/$target-" "$work/$target"
done
echo "fuzzers: no crash, no sanitizer report"
