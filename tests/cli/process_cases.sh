#!/usr/bin/env bash
# diz-cli cases that need a second process, a signal, a terminal or a limit of
# the shell: run as `process_cases.sh DIZ_CLI CASE`, each case in a fresh
# folder. Exits non-zero with the reason when the case fails.
set -uo pipefail
cli=$1
case_name=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() {
  echo "FAIL ($case_name): $*" >&2
  exit 1
}

for _ in 1 2 3 4 5 6 7 8 9; do
  printf '400 100 20 2 10 50 0.250000 0.500000 0.400000\r\n'
done >batters.txt
"$cli" orders >all.dat || fail "orders"

# Every line of FILE is a whole result line.
whole_lines() {
  [ ! -s "$1" ] && return 0
  [ "$(tail -c 2 "$1" | od -An -c | tr -d ' ')" = '\r\n' ] || return 1
  ! grep -av -E $'^[a-i]{9} [0-9]+\\.[0-9]{6} [0-9]+\\.[0-9]{6}\r$' "$1" >/dev/null
}

# Waits until FILE holds at least one line (at most 20 s).
wait_for_lines() {
  for _ in $(seq 200); do
    [ -s "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

case $case_name in
interrupt)
  # SIGINT and SIGTERM: the lines done are all in the file, whole, and said.
  for signal in INT TERM; do
    "$cli" run --batters batters.txt --orders all.dat --pattern '*********' --quiet \
      --output "out-$signal.txt" 2>"err-$signal.txt" &
    pid=$!
    wait_for_lines "out-$signal.txt" || fail "no line written"
    sleep 0.5
    kill -s "$signal" "$pid"
    wait "$pid"
    status=$?
    expected=$((128 + $(kill -l "$signal")))
    [ "$status" -eq "$expected" ] || fail "$signal: exit status $status, expected $expected"
    lines=$(wc -l <"out-$signal.txt")
    grep -q "^中断しました。書き込んだ打順：$lines\$" "err-$signal.txt" ||
      fail "$signal: message $(cat "err-$signal.txt") for $lines lines"
    [ "$lines" -gt 0 ] && [ "$lines" -lt 362880 ] || fail "$signal: $lines lines"
    whole_lines "out-$signal.txt" || fail "$signal: a partial line"
  done
  ;;
exact-interrupt)
  # exact over every ordering, stopped while it evaluates: nothing partial.
  "$cli" exact --batters batters.txt --all --quiet --jobs 1 2>err.txt &
  pid=$!
  sleep 0.3
  kill -s INT "$pid"
  wait "$pid"
  status=$?
  [ "$status" -eq 130 ] || [ "$status" -eq 0 ] || fail "exit status $status"
  whole_lines output.txt || fail "a partial line"
  ;;
concurrent)
  # A second run on a result file in use is refused and leaves it alone.
  "$cli" run --batters batters.txt --orders all.dat --pattern '*********' --quiet 2>first.txt &
  pid=$!
  wait_for_lines output.txt || fail "no line written"
  before=$(wc -c <output.txt)
  "$cli" run --batters batters.txt --orders all.dat --quiet 2>second.txt
  status=$?
  [ "$status" -eq 1 ] || fail "second run: exit status $status"
  grep -q '^出力は他の実行が使用中です：output.txt$' second.txt || fail "second run: $(cat second.txt)"
  "$cli" exact --batters batters.txt --all --quiet 2>third.txt
  [ $? -eq 1 ] || fail "exact on the same file was not refused"
  kill -s TERM "$pid"
  wait "$pid"
  [ "$(wc -c <output.txt)" -ge "$before" ] || fail "the first run's lines were cut"
  whole_lines output.txt || fail "a partial line"
  ;;
disk-full)
  # A file size limit stands in for a full disk: the file is cut back to its
  # last whole line and the failure is reported.
  (
    trap '' XFSZ
    ulimit -f 64
    "$cli" run --batters batters.txt --orders all.dat --pattern '*********' --games 1 --quiet \
      2>err.txt
  )
  status=$?
  [ "$status" -eq 1 ] || fail "exit status $status"
  grep -q '^出力に書き込めません：output.txt$' err.txt || fail "message: $(cat err.txt)"
  size=$(wc -c <output.txt)
  [ "$size" -gt 0 ] && [ "$size" -le 65536 ] || fail "size $size"
  whole_lines output.txt || fail "a partial line"
  ;;
no-memory)
  # Scratch memory for 2e9 games can't be had under a 1 GB address space.
  printf 'old' >output.txt
  (
    ulimit -v 1000000
    "$cli" run --batters batters.txt --orders all.dat --games 2000000000 --quiet 2>err.txt
  )
  status=$?
  [ "$status" -eq 1 ] || fail "exit status $status"
  grep -q '^打線あたりの試行数に必要なメモリを確保できません：2000000000$' err.txt ||
    fail "message: $(cat err.txt)"
  [ "$(cat output.txt)" = old ] || fail "the previous results were touched"
  ;;
pipe)
  # With standard error on a terminal, an order file that is a pipe is run,
  # not read ahead to count it.
  head -n 3 all.dat >three.dat
  printf '#!/usr/bin/env bash\nexec "%s" run --batters batters.txt --pattern "*********" --quiet --orders <(cat three.dat)\n' \
    "$cli" >through-pipe.sh
  script -qec "bash through-pipe.sh" /dev/null >terminal.txt </dev/null
  status=$?
  [ "$status" -eq 0 ] || fail "exit status $status: $(cat terminal.txt)"
  [ "$(wc -l <output.txt)" -eq 3 ] || fail "$(wc -l <output.txt) lines written"
  grep -aqE '[0-9]+ orders  [0-9]+ games/s' terminal.txt || fail "no count on the progress line"
  ;;
engine-missing)
  # A diz-cli with no engine beside it says so, and the loader's reason.
  cp "$cli" ./diz-cli-alone
  cp all.dat order.dat
  ./diz-cli-alone run --batters batters.txt --quiet 2>err.txt
  status=$?
  [ "$status" -eq 1 ] || fail "exit status $status"
  [ "$(head -n 1 err.txt)" = "REDI_DORが開けません" ] || fail "message: $(cat err.txt)"
  sed -n 2p err.txt | grep -q "libcore.so" || fail "no reason naming the file: $(cat err.txt)"
  [ ! -e output.txt ] || fail "a result file was made"
  ;;
*)
  fail "no such case"
  ;;
esac
echo "ok ($case_name)"
