#!/usr/bin/env bash
# DIZ.exe's roster window by keyboard: Alt+Space then L opens it, Alt+O asks
# for the roster, and the chooser's roster.csv is read: the status names the
# thirteen players and the column the game has no use for.
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
shot "$DIZ_WORK/roster.png"
