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

# A run writes its lines beside its result file RESULT until it ends. Waits
# until that temporary file exists and, with a second argument, holds a
# line (at most 20 s); lines in RESULT itself count too.
wait_for_run() {
  local temporary
  for _ in $(seq 200); do
    [ -s "$1" ] && return 0
    for temporary in "$1".*.tmp; do
      [ -e "$temporary" ] || continue
      [ $# -lt 2 ] || [ -s "$temporary" ] || continue
      return 0
    done
    sleep 0.1
  done
  return 1
}

# No temporary file of a run is left beside RESULT.
no_temporary_left() {
  ! compgen -G "$1.*.tmp" >/dev/null
}

case $case_name in
interrupt)
  # SIGINT, SIGTERM, SIGHUP (the terminal closed) and SIGQUIT (Ctrl+\): the
  # lines done are all in the file, whole, and said.
  for signal in INT TERM HUP QUIT; do
    "$cli" run --batters batters.txt --orders all.dat --pattern '*********' --quiet \
      --output "out-$signal.txt" 2>"err-$signal.txt" &
    pid=$!
    wait_for_run "out-$signal.txt" lines || fail "$signal: no line written"
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
    no_temporary_left "out-$signal.txt" || fail "$signal: a temporary file is left"
  done
  ;;
interrupt-before-any-order)
  # Stopped before the first order is done: the previous results are kept.
  # Batters who hardly make an out take seconds for the first batch.
  for _ in 1 2 3 4 5 6 7 8 9; do
    printf '400 399 0 0 0 100 0.5 0.5 0.5\n'
  done >outless.txt
  printf 'old results\n' >keep.txt
  "$cli" exact --batters outless.txt --all --jobs 1 --quiet --output keep.txt 2>err.txt &
  pid=$!
  # The note comes as the first batch starts, every file open.
  for _ in $(seq 200); do
    grep -q '^note: these batters' err.txt && break
    sleep 0.1
  done
  grep -q '^note: these batters' err.txt || fail "the run did not start: $(cat err.txt)"
  kill -s TERM "$pid"
  wait "$pid"
  status=$?
  [ "$status" -eq 143 ] || fail "exit status $status: $(cat err.txt)"
  [ "$(cat keep.txt)" = "old results" ] || fail "keep.txt now holds $(wc -c <keep.txt) bytes"
  grep -q '^出力は変更していません：keep.txt$' err.txt || fail "message: $(cat err.txt)"
  no_temporary_left keep.txt || fail "a temporary file is left"
  ;;
broken-pipe)
  # A reader that goes away (head) stops the run as an interruption does: the
  # lines written are kept, standard error says what happened, the status is
  # not 0 and no signal ends the program.
  printf 'old' >output.txt
  "$cli" run --batters batters.txt --orders all.dat --pattern '*********' 2>err.txt | head -n 1 >head.txt
  status=${PIPESTATUS[0]}
  [ "$status" -eq 1 ] || fail "run: exit status $status: $(cat err.txt)"
  grep -q '^出力に書き込めません：標準出力$' err.txt || fail "run: message $(cat err.txt)"
  lines=$(wc -l <output.txt)
  grep -q "^書き込んだ打順：$lines\$" err.txt || fail "run: $(cat err.txt) for $lines lines"
  [ "$lines" -gt 0 ] && [ "$lines" -lt 362880 ] || fail "run: $lines lines"
  whole_lines output.txt || fail "run: a partial line"
  "$cli" exact --batters batters.txt --all --output exact.txt 2>err.txt | head -n 2 >head.txt
  status=${PIPESTATUS[0]}
  [ "$status" -eq 1 ] || fail "exact: exit status $status: $(cat err.txt)"
  grep -q '^出力に書き込めません：標準出力$' err.txt || fail "exact: message $(cat err.txt)"
  [ -s exact.txt ] && whole_lines exact.txt || fail "exact: no whole lines kept"
  [ "$(wc -l <head.txt)" -eq 2 ] || fail "exact: $(wc -l <head.txt) lines read"
  ;;
stdout-is-the-result-file)
  # `> output.txt` onto the default result file: nothing but result lines in
  # it, for run and for exact (whose ranking would follow the lines).
  "$cli" run --batters batters.txt --orders all.dat --pattern 'abcdefg**' >output.txt 2>err.txt
  status=$?
  [ "$status" -eq 0 ] || fail "run: exit status $status: $(cat err.txt)"
  grep -q '^note: standard output is the result file output.txt' err.txt ||
    fail "run: $(cat err.txt)"
  [ "$(wc -l <output.txt)" -eq 2 ] && whole_lines output.txt || fail "run: $(cat output.txt)"
  "$cli" exact --batters batters.txt --all --pattern 'abcdefg**' >output.txt 2>err.txt
  status=$?
  [ "$status" -eq 0 ] || fail "exact: exit status $status: $(cat err.txt)"
  [ "$(wc -l <output.txt)" -eq 2 ] && whole_lines output.txt || fail "exact: $(cat output.txt)"
  ;;
closed-standard-streams)
  # Closed standard output (and input): the result file gets no descriptor
  # of theirs, and the writes that fail are reported.
  "$cli" exact --batters batters.txt --all --pattern 'abcdefg**' >&- 2>err.txt
  status=$?
  [ "$status" -eq 1 ] || fail "exact: exit status $status: $(cat err.txt)"
  grep -q '^出力に書き込めません：標準出力$' err.txt || fail "exact: message $(cat err.txt)"
  [ "$(wc -l <output.txt)" -eq 2 ] && whole_lines output.txt || fail "exact: $(cat output.txt)"
  rm output.txt
  # The first failed write stops the run, as a reader that went away does.
  "$cli" run --batters batters.txt --orders all.dat --pattern 'abcdefg**' <&- >&- 2>err.txt
  status=$?
  [ "$status" -eq 1 ] || fail "run: exit status $status: $(cat err.txt)"
  grep -q '^出力に書き込めません：標準出力$' err.txt || fail "run: message $(cat err.txt)"
  [ -s output.txt ] && whole_lines output.txt || fail "run: $(cat output.txt)"
  ;;
special-outputs)
  # A result file that is no regular file is written as it is, line by line,
  # and never replaced: standard output through /dev/stdout, a named pipe.
  "$cli" run --batters batters.txt --orders all.dat --pattern 'abcdefg**' --quiet \
    --output /dev/stdout 2>err.txt | cat >piped.txt
  status=${PIPESTATUS[0]}
  [ "$status" -eq 0 ] || fail "/dev/stdout: exit status $status: $(cat err.txt)"
  [ "$(wc -l <piped.txt)" -eq 2 ] && whole_lines piped.txt || fail "/dev/stdout: $(cat piped.txt)"
  mkfifo pipe
  cat pipe >from-pipe.txt &
  reader=$!
  "$cli" run --batters batters.txt --orders all.dat --pattern 'abcdefg**' --quiet \
    --output pipe 2>err.txt
  status=$?
  wait "$reader"
  [ "$status" -eq 0 ] || fail "pipe: exit status $status: $(cat err.txt)"
  [ -p pipe ] || fail "the pipe was replaced"
  [ "$(wc -l <from-pipe.txt)" -eq 2 ] || fail "pipe: $(cat from-pipe.txt)"
  ;;
unbounded-batter-file)
  # A batter file that never ends is refused after a few kilobytes, not read
  # until memory runs out (the limit keeps a failure from taking the machine).
  (
    ulimit -v 2000000
    timeout 20 "$cli" run --batters /dev/zero --orders all.dat --quiet 2>err.txt
  )
  status=$?
  [ "$status" -eq 2 ] || fail "exit status $status: $(head -c 300 err.txt)"
  grep -q '^/dev/zero: 打者データにしては大きすぎるファイルです (65536 バイトまで)$' err.txt ||
    fail "message: $(head -c 300 err.txt)"
  [ ! -e output.txt ] || fail "a result file was made"
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
resample-interrupt)
  # Stopped while it resamples: the seasons done are reported, the result
  # file holds every line, and the status is the interruption's.
  "$cli" exact --batters batters.txt --all --pattern 'abcde****' --top 2 --jobs 1 \
    --resample 10000 >out.txt 2>err.txt &
  pid=$!
  for _ in $(seq 200); do
    grep -q '^Top 2' out.txt 2>/dev/null && break
    sleep 0.1
  done
  sleep 0.5
  kill -s INT "$pid"
  wait "$pid"
  status=$?
  [ "$status" -eq 130 ] || fail "exit status $status: $(cat err.txt)"
  grep -q '^リサンプリング [0-9]* 回（10000 回のうち、中断）（シード 1）' out.txt ||
    fail "no report of the seasons done: $(cat out.txt)"
  grep -q '^中断しました。書き込んだ打順：24$' err.txt || fail "$(cat err.txt)"
  [ "$(wc -l <output.txt)" -eq 24 ] || fail "the result file lost lines"
  ;;
lineup-interrupt)
  # A lineup search stopped by Ctrl+C prints the best lineups found so far.
  {
    echo 'name,AB,H,2B,3B,HR,BB'
    for p in $(seq 13); do
      echo "Player $p,$((400 + p * 7)),$((100 + p * 3)),$((15 + p)),$((p % 4)),$((5 + p * 2)),$((30 + p * 3))"
    done
  } >roster.csv
  "$cli" lineup --roster roster.csv --exhaustive --jobs 1 >out.txt 2>err.txt &
  pid=$!
  sleep 1
  kill -s INT "$pid"
  wait "$pid"
  status=$?
  [ "$status" -eq 130 ] || fail "exit status $status: $(cat err.txt)"
  grep -q '^   1 [0-9.]* 0.000000  1 Player' out.txt || fail "no best lineup: $(cat out.txt)"
  grep -q '^abcdefghi [0-9]' out.txt || fail "no figures of the best lineup"
  grep -q '^interrupted: the best lineups found so far' err.txt || fail "$(cat err.txt)"
  ;;
concurrent)
  # A second run on a result file in use is refused and leaves it alone.
  "$cli" run --batters batters.txt --orders all.dat --pattern '*********' --quiet 2>first.txt &
  pid=$!
  wait_for_run output.txt lines || fail "no line written"
  before=$(wc -c <output.txt)
  "$cli" run --batters batters.txt --orders all.dat --quiet 2>second.txt
  status=$?
  [ "$status" -eq 1 ] || fail "second run: exit status $status"
  grep -q '^出力は他の実行が使用中です：output.txt$' second.txt || fail "second run: $(cat second.txt)"
  "$cli" exact --batters batters.txt --all --quiet 2>third.txt
  [ $? -eq 1 ] || fail "exact on the same file was not refused"
  kill -s TERM "$pid"
  wait "$pid"
  [ "$(wc -c <output.txt)" -gt "$before" ] || fail "the first run's lines were not kept"
  whole_lines output.txt || fail "a partial line"
  no_temporary_left output.txt || fail "a temporary file is left"
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
no-memory-exact)
  # Memory (one job) or a thread (two jobs) that can't be had part way
  # through exact: said in words, status 1, the previous results kept. The
  # limits let the program start and fail in the evaluation.
  for limit in 16000 20000; do
    printf 'old' >output.txt
    (
      ulimit -v "$limit"
      "$cli" exact --batters batters.txt --all --jobs 1 --quiet 2>err.txt
    )
    status=$?
    [ "$status" -eq 1 ] || fail "$limit KB: exit status $status: $(head -c 300 err.txt)"
    grep -qx 'メモリが足りないため中止しました' err.txt || fail "$limit KB: $(head -c 300 err.txt)"
    [ "$(cat output.txt)" = old ] || fail "$limit KB: the previous results were touched"
    no_temporary_left output.txt || fail "$limit KB: a temporary file is left"
  done
  if [ "$(nproc)" -ge 2 ]; then
    printf 'old' >output.txt
    (
      ulimit -v 18000
      "$cli" exact --batters batters.txt --all --jobs 2 --quiet 2>err.txt
    )
    status=$?
    [ "$status" -eq 1 ] || fail "two jobs: exit status $status: $(head -c 300 err.txt)"
    grep -qx 'スレッドを作成できないため中止しました' err.txt || fail "two jobs: $(head -c 300 err.txt)"
    [ "$(cat output.txt)" = old ] || fail "two jobs: the previous results were touched"
  fi
  ;;
odd-order-files)
  # Old Macintosh line ends (a lone CR) end a line too: every order runs.
  head -n 36 all.dat | tr -d '\n' >cr-only.dat
  "$cli" run --batters batters.txt --orders cr-only.dat --pattern '*********' --games 1 --quiet \
    2>err.txt
  [ $? -eq 0 ] || fail "CR only: $(cat err.txt)"
  [ "$(wc -l <output.txt)" -eq 36 ] || fail "CR only: $(wc -l <output.txt) of 36 orders run"
  tr -d '\n' <all.dat >cr-only-all.dat
  "$cli" exact --batters batters.txt --orders cr-only-all.dat --pattern '*********' --top 0 \
    --quiet 2>err.txt
  [ $? -eq 0 ] || fail "CR only, exact: $(cat err.txt)"
  [ "$(wc -l <output.txt)" -eq 362880 ] || fail "CR only, exact: $(wc -l <output.txt) orders"
  # A UTF-8 byte-order mark is no part of the first order.
  printf '\xef\xbb\xbfabcdefghi\r\nbacdefghi\r\n' >bom.dat
  "$cli" run --batters batters.txt --orders bom.dat --pattern '*********' --quiet 2>err.txt
  [ $? -eq 0 ] || fail "BOM: $(cat err.txt)"
  [ "$(cut -c 1-9 output.txt | tr -d '\r' | tr '\n' ' ')" = "abcdefghi bacdefghi " ] ||
    fail "BOM: $(cat output.txt)"
  # Files that select nothing: no success, and the previous results stay. A
  # UTF-16 file is named as such.
  printf 'ABCDEFGHI\r\n' >upper.dat
  : >empty.dat
  printf '\xff\xfea\0b\0c\0d\0e\0f\0g\0h\0i\0\r\0\n\0' >utf16.dat
  for file in upper.dat empty.dat utf16.dat; do
    for command in run exact; do
      printf 'old' >output.txt
      "$cli" "$command" --batters batters.txt --orders "$file" --pattern '*********' --quiet \
        2>err.txt
      status=$?
      [ "$status" -eq 1 ] || fail "$command $file: exit status $status: $(cat err.txt)"
      [ "$(cat output.txt)" = old ] || fail "$command $file: the previous results were touched"
      case $file in
      utf16.dat) expected='^ORDERが UTF-16 で書かれています (UTF-8 か ASCII で保存してください)：utf16.dat$' ;;
      *) expected="^ORDERに打線指定に合う打順がありません：$file\$" ;;
      esac
      grep -q "$expected" err.txt || fail "$command $file: message $(cat err.txt)"
    done
  done
  ;;
odd-batter-files)
  # A batter file that begins with a UTF-8 byte-order mark reads as without.
  { printf '\xef\xbb\xbf'; cat batters.txt; } >bom.txt
  head -n 1 all.dat >one.dat
  "$cli" run --batters bom.txt --orders one.dat --quiet 2>err.txt
  [ $? -eq 0 ] || fail "BOM: $(cat err.txt)"
  [ "$(head -c 27 output.txt)" = "abcdefghi 6.107143 0.315209" ] || fail "BOM: $(cat output.txt)"
  "$cli" exact --batters bom.txt --orders one.dat --lenient --quiet >/dev/null 2>err.txt
  [ $? -eq 0 ] || fail "BOM, --lenient: $(cat err.txt)"
  # --lenient still refuses a file that holds no whole batter line (a CSV).
  printf '\xef\xbb\xbf順位,打順,得点期待値\r\n1,abcdefghi,5.078538\r\n' >ranking.csv
  printf 'old' >output.txt
  "$cli" exact --batters ranking.csv --orders one.dat --lenient --quiet 2>err.txt
  status=$?
  [ "$status" -eq 2 ] || fail "CSV: exit status $status: $(cat err.txt)"
  grep -q '^ranking.csv: 打者データとして読める行がありません' err.txt || fail "CSV: $(cat err.txt)"
  [ "$(cat output.txt)" = old ] || fail "CSV: the previous results were touched"
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
