#!/usr/bin/env bash
# The first start of the installed program, as a new user has it: the Debian
# package unpacked, DIZ started as its desktop entry starts it (the Exec line,
# a fresh home folder as the current folder) on a virtual display, then, by
# keyboard only, the example batters loaded and Simulate run; a result file
# must appear in the folder the first start made.
#
#   first_start.sh DEB WORKDIR [SCREENSHOT.png]
#
# Needs Xvfb and xdotool (scripts/install-deps.sh); exits 77 (skipped) when
# they are missing.
set -uo pipefail
deb=$1
work=$2
shot=${3:-}

for tool in Xvfb xdotool dpkg-deb; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/program.log" ] && sed 's/^/  DIZ: /' "$work/program.log" >&2
  exit 1
}

rm -rf "$work"
mkdir -p "$work/home"
root=$work/root
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
entry=$root/usr/share/applications/diz.desktop
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[ -n "$exec_line" ] || fail "no Exec line in diz.desktop"

# A display of our own; the lock file tells when it is up.
display=""
for n in $(seq 70 99); do
  [ -e "/tmp/.X$n-lock" ] && continue
  display=:$n
  break
done
[ -n "$display" ] || fail "no free display number"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
program=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 100); do
  xdotool getmouselocation >/dev/null 2>&1 && break
  sleep 0.1
done

# As the desktop starts it: the Exec line run from the home folder, the
# program found on the PATH, in a session without a window manager.
(
  cd "$work/home" &&
    HOME=$work/home PATH=$root/usr/bin:$PATH QT_QPA_PLATFORM=xcb LANG=C.UTF-8 \
      exec sh -c "exec $exec_line"
) >"$work/program.log" 2>&1 &
program=$!

# The id of the visible window whose title matches (and that is not the
# window given second), after up to 60 s: a loaded machine can take seconds
# to open a chooser.
window() {
  local id
  for _ in $(seq 600); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -vx "${2:-none}" | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$program" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
# Gives the keyboard to a window: nothing else does without a window manager.
# Prints the window's id.
focus() {
  local id
  id=$(window "$1" "${2:-}") || fail "no window titled '$1'; visible: $(xdotool search --onlyvisible --name . 2>/dev/null | xargs -r -n1 xdotool getwindowname | tr '\n' '|')"
  xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
  sleep 0.3
  echo "$id"
}
# Waits up to 60 s for a window to close.
closes() {
  for _ in $(seq 600); do
    xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -qx "$2" || return 0
    sleep 0.1
  done
  fail "the window titled '$1' stayed open"
}
keys() { xdotool key --delay 40 "$@"; }

folder=$work/home/DIZ
focus '^ball$' >/dev/null || exit 1
[ -f "$folder/batters.txt" ] || fail "the first start made no $folder/batters.txt"
[ "$(wc -l <"$folder/order.dat")" -eq 362880 ] || fail "order.dat holds $(wc -l <"$folder/order.dat") orders"

# The focus starts in batter A's at-bats: 81 grid fields, the games, six
# patterns, then Simulate and Load. Load the example batters. Every step
# waits for the window it types into, never for a fixed time.
keys $(printf 'Tab %.0s' $(seq 89)) Return
chooser=$(focus '^開く$') || exit 1
xdotool type --delay 20 batters.txt
keys Return
closes '^開く$' "$chooser"
focus '^ball$' >/dev/null || exit 1
# Focus is back on Load; Simulate is the field before it.
keys shift+Tab Return
# The result file's chooser proposes output.txt; it does not exist yet, so
# the chooser asks before creating it, under its own title (yes is the
# question's default).
chooser=$(focus '^名前を付けて保存$') || exit 1
keys Return
question=$(focus '^名前を付けて保存$' "$chooser") || exit 1
keys Return
closes '^名前を付けて保存$' "$question"
# The run's message box tells the run is over, then the picture of the window.
report=$(focus '^DIZ$') || exit 1
[ -e "$folder/output.txt" ] || fail "no result file in $folder"
[ -n "$shot" ] && command -v import >/dev/null && import -window root "$shot"
keys Return
closes '^DIZ$' "$report"
line=$(head -n 1 "$folder/output.txt")
# The example batters score (the window's defaults would make every batter
# an out and the line "abcdefghi 0.000000 0.000000").
case $line in
abcdefghi\ 0.000000\ *) fail "the example batters were not loaded: '$line'" ;;
abcdefghi\ [0-9]*.[0-9]*\ [0-9]*.[0-9]*$'\r') ;;
*) fail "the result file starts with '$line'" ;;
esac
echo "ok: $folder/output.txt: $line"
