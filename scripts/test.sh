#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the release build
# (with the Debian package), the AddressSanitizer + UndefinedBehaviorSanitizer
# build, the Windows cross build under wine, and a short fuzzing run of the
# file readers. Every step runs even when an earlier one failed;
# the closing lines name what failed (repeated there, since a CI log may keep
# only its tail) and count what actually ran; the exit status is non-zero
# when anything failed.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1

jobs=$(nproc)
passed=0
failed=0
failures=()

# failed_output PRESET TEST: what the test printed in the preset's last run.
failed_output() {
  local dir
  case $1 in
  release) dir=build ;;
  asan) dir=build-asan ;;
  windows-cross) dir=build-windows ;;
  esac
  awk -v test="$2" '
    $0 ~ ("Test: " test "$") { mine = 1; next }
    mine && /^<end of output>/ { exit }
    mine && printing { print }
    mine && /^Output:/ { getline; printing = 1 }
  ' "$dir/Testing/Temporary/LastTest.log" 2>/dev/null
}

# ctest_step PRESET: runs the preset's tests and adds its counts to the totals.
ctest_step() {
  local out
  out=$(mktemp)
  ctest --preset "$1" -j"$jobs" 2>&1 | tee "$out"
  local summary
  summary=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$out" | tail -n 1)
  if [ -z "$summary" ]; then
    failures+=("ctest --preset $1 printed no summary; its last lines:" "$(tail -n 25 "$out")")
    rm -f "$out"
    failed=$((failed + 1))
    return
  fi
  failures+=("$(sed -n "/The following tests FAILED:/,\$s/^/$1: /p" "$out")")
  # What each failed test printed, its last lines, for the same reason.
  local name
  for name in $(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) (.*/\1/p' "$out"); do
    failures+=("$1: $name printed, at the end:" "$(failed_output "$1" "$name" | tail -n 30)")
  done
  rm -f "$out"
  read -r f t <<<"$summary"
  passed=$((passed + t - f))
  failed=$((failed + f))
}

# step NAME COMMAND...: a check outside ctest that counts as one test.
step() {
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failures+=("FAILED: $name")
    failed=$((failed + 1))
  fi
}

build() {
  cmake --preset "$1" && cmake --build --preset "$1" -j"$jobs" && return 0
  failures+=("FAILED: the $1 build")
  return 1
}

echo "== release build and tests"
if build release; then ctest_step release; else failed=$((failed + 1)); fi

echo "== sanitizer build and tests"
if build asan; then ctest_step asan; else failed=$((failed + 1)); fi

echo "== Windows cross build and tests under wine"
if build windows-cross; then ctest_step windows-cross; else failed=$((failed + 1)); fi

echo "== fuzzing the file readers"
step fuzzers tests/fuzz/run_fuzzers.sh

for f in "${failures[@]}"; do
  [ -n "$f" ] && printf '%s\n' "$f" >&2
done
echo "total: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
