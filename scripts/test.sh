#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the release build,
# the AddressSanitizer + UndefinedBehaviorSanitizer build, and a short fuzzing
# run of the file readers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)

echo "== release build and tests"
cmake --preset release
cmake --build --preset release -j"$jobs"
ctest --preset release -j"$jobs"

echo "== sanitizer build and tests"
cmake --preset asan
cmake --build --preset asan -j"$jobs"
ctest --preset asan -j"$jobs"

if [ -x tests/fuzz/run_fuzzers.sh ]; then
  echo "== fuzzing the file readers"
  tests/fuzz/run_fuzzers.sh
fi
