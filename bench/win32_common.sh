# Set-up shared by the whole-run bench scripts of the Windows window; sourced,
# not run. The windows-cross build (BUILD_DIR, default build-windows/) and,
# as for the keyboard tests, one wine session on a virtual X display of its
# own in the build's GUI prefix (tests/windows/gui_session.sh), so that the
# windows paint as they would on a screen. Gives what common.sh gives, and
# cli_times FILE COMMAND... (appends "wall user+sys" of a diz-cli.exe run).
root=$(cd "$(dirname "${BASH_SOURCE[1]}")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build-windows}
if [[ ! -d $BUILD_DIR ]]; then (cd "$root" && cmake --preset windows-cross >/dev/null); fi
source "$root/bench/common.sh"

cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
export DIZ_WINE DIZ_WINESERVER
DIZ_WINE=$(cache_value DIZ_WINE)
DIZ_WINESERVER=$(cache_value DIZ_WINESERVER)
export DIZ_GUI_PREFIX=$build/wineprefix-gui DIZ_BIN=$build/bin DIZ_SOURCE=$root
export DIZ_WORK=$work/session
source "$root/tests/windows/gui_session.sh"
trap 'gui_cleanup; rm -rf "$work"' EXIT
gui_start
