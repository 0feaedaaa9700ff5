#!/usr/bin/env bash
# DIZ.exe's ranking window by keyboard: the example batters loaded, Alt+Space
# then R, 確からしさ (Alt+K) set to 0 and entered with Return, the evaluation
# of every ordering awaited, Ctrl+S with the chooser's
# ranking.csv and the create prompt accepted. The CSV is byte for byte the
# one the application core writes for the same batters (ranking_csv.exe),
# which the Qt ranking window saves as well. Alt+P then sends the best order
# to pattern 1.
source "$(dirname "$0")/gui_session.sh"

rm -rf "$DIZ_WORK"
mkdir -p "$DIZ_WORK"
cp "$DIZ_SOURCE/examples/batters.txt" "$DIZ_SOURCE/examples/order.dat" "$DIZ_WORK/"

gui_start
gui_run "$DIZ_WORK" "$DIZ_BIN/DIZ.exe"
focus '^ball$'
# Back from batter A's 打数 past the check boxes, the status, the log and
# Save to Load.
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Return
focus '^開く$'
typed batters.txt
keys Return
wait_probe '^打者データを読み込みました...$' field ball 1107

focus '^ball$'
keys alt+space
wait_probe . menu
keys r
focus '^打順ランキング$'
# The point ranking alone: the field's number (at most five digits) replaced.
keys alt+k End BackSpace BackSpace BackSpace BackSpace BackSpace
typed 0
keys Return
wait_probe '^362880 打順を評価しました$' field 打順ランキング 112
shot "$DIZ_WORK/ranking.png"
keys ctrl+s
focus '^名前を付けて保存$'
keys Return
wait_probe 'ranking.csv は存在しません。' texts DIZ
focus '^DIZ$'
keys Return
wait_probe '^CSVを保存しました：' field 打順ランキング 112

wine_cli "$DIZ_WORK" "$DIZ_BIN/ranking_csv.exe" batters.txt expected.csv ||
  fail "ranking_csv.exe failed"
cmp "$DIZ_WORK/expected.csv" "$DIZ_WORK/ranking.csv" ||
  fail "the window's ranking.csv differs from the core's"
echo "ranking.csv: $(wc -l <"$DIZ_WORK/ranking.csv") lines, identical to the core's"
rm "$DIZ_WORK/expected.csv"  # 75 MB

focus '^打順ランキング$'
keys alt+p
[ "$(probe field ball 1031)" = abcdefghi ] || fail "打線指定へ did not fill pattern 1"
