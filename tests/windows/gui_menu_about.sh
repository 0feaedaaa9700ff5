#!/usr/bin/env bash
# DIZ.exe by keyboard: Alt+Space opens the system menu, whose last three
# entries open the About box (with its texts; Enter closes it), the ranking
# window and the roster window. The entries' texts are checked in win32_ui_tests; here
# menu.png shows them.
source "$(dirname "$0")/gui_session.sh"

rm -rf "$DIZ_WORK"
mkdir -p "$DIZ_WORK"
gui_start
gui_run "$DIZ_WORK" "$DIZ_BIN/DIZ.exe"
focus '^ball$'
keys alt+space
wait_probe '^open$' menu
shot "$DIZ_WORK/menu.png"
# The last entry is the roster's, above it the ranking's and the About box's
# (wine adds an entry of its own with the key A, so the arrows choose).
keys Up Up Up Return
focus '^GUIのﾊﾞｰｼﾞｮﾝ情報$'
probe texts 'GUIのﾊﾞｰｼﾞｮﾝ情報' >"$DIZ_WORK/about.txt"
grep -qx 'DIZ Version 1.0' "$DIZ_WORK/about.txt" || fail "the About box lacks its version text"
grep -qx 'OK' "$DIZ_WORK/about.txt" || fail "the About box lacks OK"
shot "$DIZ_WORK/about.png"
keys Return
wait_no_window '^GUIのﾊﾞｰｼﾞｮﾝ情報$'
xdotool search --onlyvisible --name '^ball$' >/dev/null || fail "the main window went"

focus '^ball$'
keys alt+space
wait_probe '^open$' menu
keys Up Up Return
focus '^打順ランキング$'
keys alt+F4
wait_no_window '^打順ランキング$'

focus '^ball$'
keys alt+space
wait_probe '^open$' menu
keys Up Return
focus '^選手名簿$'
keys alt+F4
wait_no_window '^選手名簿$'
echo "system menu: the About box, the ranking and the roster window opened from its last three entries"
