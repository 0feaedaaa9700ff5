#!/usr/bin/env bash
# DIZ.exe by keyboard: 0 typed into batter A's 打数 and Enter. The window
# stays, a box tells the bounds, and once it is closed the field has the
# focus with its text selected, so that typing replaces it.
source "$(dirname "$0")/gui_session.sh"

rm -rf "$DIZ_WORK"
mkdir -p "$DIZ_WORK"
gui_start
gui_run "$DIZ_WORK" "$DIZ_BIN/DIZ.exe"
focus '^ball$'
keys Tab ctrl+a
typed 3
keys shift+Tab ctrl+a
typed 0
keys Return
wait_probe '^1 から 100000 までの整数を入力してください。$' texts DIZ
shot "$DIZ_WORK/refused.png"
focus '^DIZ$'
keys Return
wait_no_window '^DIZ$'

focused=$(probe focus ball)
[ "$focused" = "1000 0 1 1" ] || fail "focus and selection '$focused', expected '1000 0 1 1'"
[ -z "$(probe field ball 1107)" ] || fail "the status line changed"
focus '^ball$'
typed 7
[ "$(probe field ball 1000)" = 7 ] || fail "typing did not replace the selected text"
[ "$(probe field ball 1016)" = 3 ] || fail "batter A's 1B lost its text"
echo "refused with the bounds; 打数 focused and selected"
