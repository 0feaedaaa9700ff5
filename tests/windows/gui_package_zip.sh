#!/usr/bin/env bash
# DIZ-<version>-win64.zip unpacked: the programs, the DLL, the read-me, the
# licence and the examples are there; its diz-cli.exe prints the reference
# line, and its DIZ.exe starts into the main window.
source "$(dirname "$0")/gui_session.sh"
: "${DIZ_PACKAGES:?}" "${DIZ_VERSION:?}"

rm -rf "$DIZ_WORK"
mkdir -p "$DIZ_WORK/run"
(cd "$DIZ_WORK" && cmake -E tar xf "$DIZ_PACKAGES/DIZ-$DIZ_VERSION-win64.zip")
top=$DIZ_WORK/DIZ-$DIZ_VERSION-win64
(cd "$top" && find . -type f | sort) >"$DIZ_WORK/files.txt"
printf '%s\n' ./DIZ.exe ./LICENSE ./README.txt ./core.dll ./diz-cli.exe ./examples/batters.txt \
  ./examples/order.dat ./examples/roster.csv ./order.dat | sort >"$DIZ_WORK/expected-files.txt"
diff "$DIZ_WORK/expected-files.txt" "$DIZ_WORK/files.txt" || fail "the zip holds other files"
grep -q '打順シミュレーター' "$top/README.txt" && grep -q 'batting-order simulator' "$top/README.txt" ||
  fail "the read-me is not Japanese and English"

for _ in 1 2 3 4 5 6 7 8 9; do
  printf '400 100 20 2 10 50 0.250000 0.500000 0.400000\r\n'
done >"$DIZ_WORK/run/batters.txt"
cp "$top/order.dat" "$DIZ_WORK/run/"
gui_start
wine_cli "$DIZ_WORK/run" "$top/diz-cli.exe" run --batters batters.txt >"$DIZ_WORK/cli.out" 2>&1 ||
  fail "diz-cli.exe from the zip failed: $(cat "$DIZ_WORK/cli.out")"
grep -q '^abcdefghi 6.107143 0.315209' "$DIZ_WORK/cli.out" || fail "no reference line"

gui_run "$top" "$top/DIZ.exe"
wait_window '^ball$' >/dev/null
shot "$DIZ_WORK/started.png"
probe close ball
wait_no_window '^ball$'
echo "zip: files, diz-cli.exe's reference line, DIZ.exe started"
