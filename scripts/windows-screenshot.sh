#!/usr/bin/env bash
# Makes docs/diz-windows.png, the README's picture of DIZ.exe: the Windows
# build (build-windows/, BUILD_DIR) under wine on a virtual display in a
# Japanese locale, driven by keyboard as its tests drive it: the example
# batters loaded, pattern 2 a********, Simulate, the result file accepted.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-windows}
cmake --build "$build" -j2 --target DIZ core window_probe >/dev/null

cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
export DIZ_WINE DIZ_WINESERVER
DIZ_WINE=$(cache_value DIZ_WINE)
DIZ_WINESERVER=$(cache_value DIZ_WINESERVER)
export DIZ_GUI_PREFIX=$build/wineprefix-gui DIZ_BIN=$build/bin DIZ_SOURCE=$root
work=$(mktemp -d)
export DIZ_WORK=$work/session
source "$root/tests/windows/gui_session.sh"
trap 'gui_cleanup; rm -rf "$work" "${folder:-}"' EXIT

# C:\DIZ of the prefix, so that the window names a plain folder.
folder=$DIZ_GUI_PREFIX/drive_c/DIZ
gui_start
rm -rf "$folder"
mkdir -p "$folder"
cp "$root/examples/batters.txt" "$root/examples/order.dat" "$folder/"
gui_run "$folder" "$DIZ_BIN/DIZ.exe"
focus '^ball$'
# From batter A's 打数 back to Load; the example batters.
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Return
focus '^開く$'
typed batters.txt
keys Return
wait_probe '^打者データを読み込みました...$' field ball 1107
# From Load back to pattern 2, then on to シミュレート！.
focus '^ball$'
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
typed 'a********'
keys Tab Tab Tab Tab Tab Return
focus '^名前を付けて保存$'
keys Return
wait_probe 'は存在しません。' texts DIZ
focus '^DIZ$'
keys Return
wait_probe '^正常に終了しました。' texts DIZ
focus '^DIZ$'
keys Return
wait_no_window '^DIZ$'
focus '^ball$'
window=$(wait_window '^ball$')
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$root/docs/diz-windows.png"
echo "docs/diz-windows.png: ${WIDTH}x${HEIGHT}"
