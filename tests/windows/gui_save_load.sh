#!/usr/bin/env bash
# DIZ.exe by keyboard: the example batters typed in and saved through the
# chooser and the create prompt (the file is the example file byte for
# byte), a field changed, the file loaded again: the nine rows are back.
source "$(dirname "$0")/gui_session.sh"

rm -rf "$DIZ_WORK"
mkdir -p "$DIZ_WORK"
batters=$DIZ_SOURCE/examples/batters.txt
# The grid's cells as the window shows them: rates in their shortest form.
tr -d '\r' <"$batters" |
  awk '{ printf "%d %d %d %d %d %d %g %g %g\n", $1, $2, $3, $4, $5, $6, $7, $8, $9 }' \
    >"$DIZ_WORK/expected-grid.txt"

gui_start
gui_run "$DIZ_WORK" "$DIZ_BIN/DIZ.exe"
focus '^ball$'
type_batters "$batters"
# From the games per order past the patterns, シミュレート！ and Load to Save.
keys Tab Tab Tab Tab Tab Tab Tab Tab Tab
[ "$(probe focus ball | cut -d' ' -f1)" = 1025 ] || fail "Tab did not reach Save"
keys Return
focus '^名前を付けて保存$'
typed saved.txt
keys Return
wait_probe 'saved.txt は存在しません。' texts DIZ
focus '^DIZ$'
keys Return
wait_probe '^打者データを保存しました...$' field ball 1107
cmp "$batters" "$DIZ_WORK/saved.txt" || fail "saved.txt is not the example file"

# Batter A's 打数 (round from Save past the log, the status and the check
# boxes), then back to Load.
focus '^ball$'
keys Tab Tab Tab Tab Tab Tab Tab
typed 1
[ "$(probe field ball 1000)" = 1 ] || fail "batter A's 打数 was not changed"
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
[ "$(probe focus ball | cut -d' ' -f1)" = 1008 ] || fail "Shift+Tab did not reach Load"
keys Return
focus '^開く$'
typed saved.txt
keys Return
wait_probe '^打者データを読み込みました...$' field ball 1107
probe grid ball >"$DIZ_WORK/grid.txt"
diff "$DIZ_WORK/expected-grid.txt" "$DIZ_WORK/grid.txt" || fail "the loaded rows differ"
shot "$DIZ_WORK/loaded.png"
echo "saved and loaded the nine rows"
