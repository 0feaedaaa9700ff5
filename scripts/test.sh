#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the release build,
# the AddressSanitizer + UndefinedBehaviorSanitizer build, and a short fuzzing
# run of the file readers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
log=$(mktemp)
trap 'rm -f "$log"' EXIT

echo "== release build and tests"
cmake --preset release
cmake --build --preset release -j"$jobs"
ctest --preset release -j"$jobs" | tee -a "$log"

echo "== sanitizer build and tests"
cmake --preset asan
cmake --build --preset asan -j"$jobs"
ctest --preset asan -j"$jobs" | tee -a "$log"

echo "== Windows cross build and tests under wine"
scripts/test-windows.sh | tee -a "$log"

if [ -x tests/fuzz/run_fuzzers.sh ]; then
  echo "== fuzzing the file readers"
  tests/fuzz/run_fuzzers.sh
fi

# One closing line for both builds: ctest has stopped the script already if
# anything failed.
total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log" | awk '{ n += $1 } END { print n + 0 }')
echo "total: $total passed, 0 failed"
