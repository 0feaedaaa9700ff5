#!/usr/bin/env bash
# DIZ.exe by keyboard: the reference batter typed into all 81 fields through
# the tab order, 140 games, pattern *********, Tab to シミュレート！, the
# chooser's output.txt and the create prompt accepted. The result file is
# byte for byte the one diz-cli.exe run writes for the same input.
source "$(dirname "$0")/gui_session.sh"

rm -rf "$DIZ_WORK"
mkdir -p "$DIZ_WORK/window" "$DIZ_WORK/cli"
for dir in window cli; do cp "$DIZ_SOURCE/examples/order.dat" "$DIZ_WORK/$dir/"; done
for _ in 1 2 3 4 5 6 7 8 9; do
  printf '400 100 20 2 10 50 0.25 0.5 0.4\r\n'
done >"$DIZ_WORK/batters.txt"

gui_start
gui_run "$DIZ_WORK/window" "$DIZ_BIN/DIZ.exe"
focus '^ball$'
type_batters "$DIZ_WORK/batters.txt"
# The games per order, pattern 1, then past patterns 2 to 6 to the button.
keys ctrl+a
typed 140
keys Tab ctrl+a
typed '*********'
keys Tab Tab Tab Tab Tab Tab
[ "$(probe focus ball | cut -d' ' -f1)" = 1006 ] || fail "Tab did not reach シミュレート！"
keys Return

# Wine's own chooser, in Japanese, offers output.txt in the current folder.
focus '^名前を付けて保存$'
keys Return
wait_probe 'output.txt は存在しません。' texts DIZ
focus '^DIZ$'
keys Return
wait_probe '^正常に終了しました。' texts DIZ
shot "$DIZ_WORK/simulated.png"
focus '^DIZ$'
keys Return
wait_no_window '^DIZ$'

wine_cli "$DIZ_WORK/cli" "$DIZ_BIN/diz-cli.exe" run --batters ../batters.txt --games 140 \
  --pattern '*********' --output output.txt --quiet >/dev/null 2>&1 ||
  fail "diz-cli.exe run failed"
cmp "$DIZ_WORK/window/output.txt" "$DIZ_WORK/cli/output.txt" ||
  fail "DIZ.exe's output.txt differs from diz-cli.exe's"
lines=$(wc -l <"$DIZ_WORK/window/output.txt")
[ "$lines" -eq 36 ] || fail "$lines result lines, expected the 36 of order.dat"
echo "output.txt: $lines lines, identical to diz-cli.exe run's"
