#!/usr/bin/env bash
# DIZ-<version>-win64-setup.exe run silently (/S): the programs are
# installed, the Start-menu entry starts DIZ.exe in a working folder that
# holds an order.dat, so that Simulate by keyboard works at once, and the
# installed diz-cli.exe prints the reference line. The uninstaller (/S)
# takes away what was installed and leaves the user's result file.
source "$(dirname "$0")/gui_session.sh"
: "${DIZ_PACKAGES:?}" "${DIZ_VERSION:?}"

rm -rf "$DIZ_WORK"
mkdir -p "$DIZ_WORK/run"
gui_start
windows_path() { "$DIZ_WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
unix_path() { "$DIZ_WINE" winepath -u "$1" 2>/dev/null | tr -d '\r'; }

target='C:\DIZ-test'
installed=$(unix_path "$target")
# What an interrupted earlier run left: its files, and the Start-menu folder
# the installer remembers.
rm -rf "$installed" "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/DIZ"*
"$DIZ_WINE" reg delete 'HKLM\Software\The DIZ developers' /f >/dev/null 2>&1 || true
wine_cli "$DIZ_WORK" "$DIZ_PACKAGES/DIZ-$DIZ_VERSION-win64-setup.exe" /S "/D=$target" ||
  fail "the installer failed"
for file in DIZ.exe core.dll diz-cli.exe LICENSE README.txt order.dat examples/batters.txt \
            examples/order.dat examples/roster.csv Uninstall.exe; do
  [ -f "$installed/$file" ] || fail "not installed: $file"
done

shortcut=$(find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/DIZ/DIZ.lnk' | head -n 1)
[ -n "$shortcut" ] || fail "no Start-menu entry DIZ"
probe shortcut "$(windows_path "$shortcut")" >"$DIZ_WORK/shortcut.txt"
[ "$(sed -n 1p "$DIZ_WORK/shortcut.txt")" = "$target\\DIZ.exe" ] ||
  fail "the entry starts $(sed -n 1p "$DIZ_WORK/shortcut.txt")"
folder=$(unix_path "$(sed -n 2p "$DIZ_WORK/shortcut.txt")")
[ -f "$folder/order.dat" ] || fail "the working folder $folder has no order.dat"
[ -f "$folder/roster.csv" ] || fail "the working folder $folder has no roster.csv"
rm -f "$folder/output.txt"

for _ in 1 2 3 4 5 6 7 8 9; do
  printf '400 100 20 2 10 50 0.250000 0.500000 0.400000\r\n'
done >"$DIZ_WORK/run/batters.txt"
cp "$installed/order.dat" "$DIZ_WORK/run/"
wine_cli "$DIZ_WORK/run" "$installed/diz-cli.exe" run --batters batters.txt >"$DIZ_WORK/cli.out" 2>&1 ||
  fail "the installed diz-cli.exe failed: $(cat "$DIZ_WORK/cli.out")"
grep -q '^abcdefghi 6.107143 0.315209' "$DIZ_WORK/cli.out" || fail "no reference line"

# As the Start menu starts it; then Simulate with the defaults: Tab from
# batter A's 打数 past the grid, the games and the patterns to シミュレート！.
gui_run "$DIZ_WORK" start "$(windows_path "$shortcut")"
focus '^ball$'
for _ in $(seq 88); do keys Tab; done
[ "$(probe focus ball | cut -d' ' -f1)" = 1006 ] || fail "Tab did not reach シミュレート！"
keys Return
focus '^名前を付けて保存$'
keys Return
wait_probe 'output.txt は存在しません。' texts DIZ
focus '^DIZ$'
keys Return
wait_probe '^正常に終了しました。' texts DIZ
shot "$DIZ_WORK/first-start.png"
focus '^DIZ$'
keys Return
[ "$(tr -d '\r' <"$folder/output.txt")" = "abcdefghi 0.000000 0.000000" ] ||
  fail "Simulate in the working folder wrote: $(cat "$folder/output.txt")"
probe close ball
wait_no_window '^ball$'

# The uninstaller copies itself away and runs from there.
wine_cli "$DIZ_WORK" "$installed/Uninstall.exe" /S || fail "the uninstaller failed"
for _ in $(seq 120); do [ -e "$installed" ] || break; sleep 0.5; done
[ ! -e "$installed" ] || fail "left behind: $(cd "$installed" && find . | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "the Start-menu entry is still there"
[ ! -e "$folder/order.dat" ] && [ ! -e "$folder/batters.txt" ] ||
  fail "the working folder's order.dat or batters.txt is still there"
[ -f "$folder/output.txt" ] || fail "the user's output.txt went too"
rm -rf "$folder"
echo "installed, started from the Start menu in $folder, simulated, uninstalled"
