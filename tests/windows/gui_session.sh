# Sourced by the keyboard tests of the Windows window: one session of wine
# on a virtual X display of its own, in a Japanese locale, in the build's GUI
# wine prefix, driven by xdotool as a person would drive it. ctest runs these
# tests one at a time (they share the prefix).
#
# The test's environment names the build (tests/windows/CMakeLists.txt):
#   DIZ_WINE DIZ_WINESERVER  wine64 and its server
#   DIZ_GUI_PREFIX           the wine prefix, set up on first use
#   DIZ_BIN                  build-windows/bin (DIZ.exe, diz-cli.exe, the probe)
#   DIZ_SOURCE               the source tree (examples/)
#   DIZ_WORK                 an empty folder for this test
#
#   gui_start                  the display, the prefix and wine's session
#   gui_run DIR PROGRAM ARGS   starts a Windows program in DIR (in the background)
#   wine_cli DIR PROGRAM ARGS  runs a Windows console program in DIR and waits
#   wait_window REGEX [SECS]   waits for a visible window titled REGEX; prints its id
#   wait_no_window REGEX       waits until no visible window is titled REGEX
#   focus REGEX                gives that window the keyboard
#   keys KEY...                presses keys (xdotool names: Tab Return alt+space ctrl+s)
#   typed TEXT                 types text
#   probe ARGS                 window_probe.exe (texts TITLE, field TITLE ID, focus TITLE, ...)
#   wait_probe REGEX ARGS      repeats probe ARGS until its output matches REGEX
#   shot FILE                  a picture of the whole screen
#   fail MESSAGE               a picture, the message, exit 1
# Everything the session started ends when the test script exits.
set -euo pipefail

: "${DIZ_WORK:?}" "${DIZ_BIN:?}" "${DIZ_GUI_PREFIX:?}"
export WINEPREFIX=$DIZ_GUI_PREFIX
# The prefix's user folders (Documents, Desktop) live in the build tree.
export HOME=$DIZ_GUI_PREFIX.home
export WINEDEBUG=-all
# No Mono or Gecko installer, no menu entries or file associations on the host.
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
# Wine's own choosers and buttons speak Japanese.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
# The session's own display only (gui_start), never the caller's.
unset DISPLAY WAYLAND_DISPLAY

gui_xvfb=""
gui_programs=()

gui_cleanup() {
  local pid
  for pid in "${gui_programs[@]}"; do kill "$pid" 2>/dev/null || true; done
  "$DIZ_WINESERVER" -k 2>/dev/null || true
  [ -n "$gui_xvfb" ] && kill "$gui_xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap gui_cleanup EXIT

fail() {
  shot "$DIZ_WORK/failure.png" || true
  echo "FAILED: $*" >&2
  echo "(screen: $DIZ_WORK/failure.png)" >&2
  exit 1
}

# The prefix, once: the Japanese dialog font and the system's Japanese fonts
# stand in as IPAPGothic, and the user folders are folders, not links to HOME.
gui_prefix() {
  mkdir -p "$HOME"
  (
    flock 9
    [ -f "$WINEPREFIX/.gui-ready" ] && exit 0
    "$DIZ_WINE" wineboot --init </dev/null >/dev/null 2>&1
    "$DIZ_WINESERVER" -w
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' face
    for face in 'ＭＳ Ｐゴシック' 'ＭＳ ゴシック' 'MS PGothic' 'MS Gothic' 'MS UI Gothic' \
                'MS Shell Dlg' 'MS Shell Dlg 2'; do
      "$DIZ_WINE" reg add "$key" /v "$face" /d IPAPGothic /f </dev/null >/dev/null 2>&1
    done
    # Wine draws the windows' frames and title bars itself: no window manager runs here.
    "$DIZ_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f \
      </dev/null >/dev/null 2>&1
    "$DIZ_WINESERVER" -w
    local link
    for link in "$WINEPREFIX"/drive_c/users/*/*; do
      if [ -L "$link" ]; then rm "$link" && mkdir "$link"; fi
    done
    touch "$WINEPREFIX/.gui-ready"
  ) 9>"$WINEPREFIX.lock"
}

gui_start() {
  local p
  for p in Xvfb xdotool import; do
    command -v "$p" >/dev/null || { echo "$p missing (scripts/install-deps.sh)" >&2; exit 1; }
  done
  mkdir -p "$DIZ_WORK"
  gui_prefix
  # A display number the X server picks itself, free on this machine.
  local fifo="$DIZ_WORK/.display"
  rm -f "$fifo"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  gui_xvfb=$!
  local number
  read -r number <"$fifo"
  rm -f "$fifo"
  export DISPLAY=:$number
  # The session's server and desktop, on this display.
  "$DIZ_WINESERVER" -p </dev/null >/dev/null 2>&1 || true
  "$DIZ_WINE" wineboot </dev/null >/dev/null 2>&1 || true
}

gui_run() {
  local dir=$1 program=$2
  shift 2
  (cd "$dir" && exec "$DIZ_WINE" "$program" "$@" >>"$DIZ_WORK/programs.log" 2>&1) &
  gui_programs+=($!)
}

wine_cli() {
  local dir=$1 program=$2
  shift 2
  (cd "$dir" && "$DIZ_WINE" "$program" "$@" </dev/null)
}

gui_titles() {
  local w
  for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    xdotool getwindowname "$w" 2>/dev/null || true
  done
}

wait_window() {
  local pattern=$1 seconds=${2:-60} w i
  for ((i = 0; i < seconds * 10; i++)); do
    w=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1) || true
    if [ -n "$w" ]; then echo "$w"; return 0; fi
    sleep 0.1
  done
  fail "no window titled /$pattern/ after ${seconds} s; visible: $(gui_titles | tr '\n' '|')"
}

wait_no_window() {
  local pattern=$1 seconds=${2:-60} i
  for ((i = 0; i < seconds * 10; i++)); do
    xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "a window titled /$pattern/ is still there after ${seconds} s"
}

focus() {
  local w
  w=$(wait_window "$1")
  xdotool windowfocus --sync "$w" 2>/dev/null || xdotool windowfocus "$w"
  sleep 0.3
}

keys() { xdotool key --delay 40 "$@"; }
typed() { xdotool type --delay 15 "$1"; }
shot() { import -window root "$1"; }

probe() { "$DIZ_WINE" "$DIZ_BIN/window_probe.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

wait_probe() {
  local pattern=$1 seconds=60 i out
  shift
  for ((i = 0; i < seconds * 2; i++)); do
    out=$(probe "$@" || true)
    if printf '%s\n' "$out" | grep -Eq -- "$pattern"; then return 0; fi
    sleep 0.5
  done
  fail "window_probe $* never showed /$pattern/; last: $out"
}

# type_batters FILE: types a batter file's nine lines into the focused window's
# grid through its tab order (the focus must be in batter A's 打数): each value
# over the field's whole text, then Tab to the next field.
type_batters() {
  local line value
  while read -r line; do
    for value in $line; do
      keys ctrl+a
      typed "$value"
      keys Tab
    done
  done < <(tr -d '\r' <"$1")
}
