#!/usr/bin/env bash
# DIZ.exe alone in its folder, started in another folder that holds a
# working core.dll and an order.dat: Simulate by keyboard reports that the
# engine can't be loaded (before any chooser), as DIZ.exe loads core.dll from
# its own folder only.
source "$(dirname "$0")/gui_session.sh"

rm -rf "$DIZ_WORK"
mkdir -p "$DIZ_WORK/app" "$DIZ_WORK/run"
cp "$DIZ_BIN/DIZ.exe" "$DIZ_WORK/app/"
cp "$DIZ_BIN/core.dll" "$DIZ_SOURCE/examples/order.dat" "$DIZ_WORK/run/"

gui_start
gui_run "$DIZ_WORK/run" "$DIZ_WORK/app/DIZ.exe"
focus '^ball$'
for _ in $(seq 88); do keys Tab; done
[ "$(probe focus ball | cut -d' ' -f1)" = 1006 ] || fail "Tab did not reach シミュレート！"
keys Return
wait_probe '^REDI_DORが開けません$' texts DIZ
xdotool search --onlyvisible --name '^名前を付けて保存$' >/dev/null && fail "a chooser opened"
focus '^DIZ$'
keys Return
wait_no_window '^DIZ$'
[ "$(probe field ball 1107)" = REDI_DORが開けません ] || fail "the status line does not say so"
echo "the planted core.dll was not loaded"
