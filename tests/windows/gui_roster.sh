#!/usr/bin/env bash
# DIZ.exe's roster window by keyboard: Alt+Space then L opens it, Alt+O asks
# for the roster, and the chooser's roster.csv is read: the status names the
# thirteen players and the column the game has no use for. Then the first
# player's 打数 is typed over (Tab to the list, Down, Right, F2) and Alt+S
# saves the roster with it.
source "$(dirname "$0")/gui_session.sh"

rm -rf "$DIZ_WORK"
mkdir -p "$DIZ_WORK"
cp "$DIZ_SOURCE/examples/roster.csv" "$DIZ_WORK/"

gui_start
gui_run "$DIZ_WORK" "$DIZ_BIN/DIZ.exe"
focus '^ball$'
keys alt+space
wait_probe . menu
keys l
focus '^選手名簿$'
keys alt+o
focus '^開く$'
typed roster.csv
keys Return
# The status (control 133) holds a line per note.
wait_probe '^名簿を読み込みました：13 人$' field 選手名簿 133
wait_probe '^使わなかった列：position$' field 選手名簿 133

# From 名簿を読み込む past the other two buttons and the three rates.
keys Tab Tab Tab Tab Tab Tab Down Right F2
keys ctrl+a
typed 600
keys Return
shot "$DIZ_WORK/roster.png"
keys alt+s
focus '^名前を付けて保存$'
keys ctrl+a
typed saved.csv
keys Return
wait_probe 'saved.csv は存在しません。' texts DIZ
focus '^DIZ$'
keys Return
wait_probe '^名簿を保存しました：' field 選手名簿 133
tr -d '\r' <"$DIZ_WORK/saved.csv" | grep -q '^Aki Hoshino,600,118,' ||
  fail "saved.csv lacks the edited 打数: $(head -c 300 "$DIZ_WORK/saved.csv")"
