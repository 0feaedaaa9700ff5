#!/usr/bin/env bash
# Installs the Debian packages DIZ needs to build, test and run, if any is
# missing, and the Japanese locale the Windows window's tests need. Safe to run
# again: it does nothing when everything is there.
set -euo pipefail

packages=(
  g++ make cmake binutils
  libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-charts-dev qt6-translations-l10n fonts-ipafont-gothic
  libcli11-dev libtbb-dev
  clang libclang-rt-14-dev clang-format git
  dpkg-dev file lintian
  xvfb xdotool
  g++-mingw-w64-x86-64-posix wine64 googletest
  nsis xvfb xdotool imagemagick locales
)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update
  $sudo apt-get install -y "${missing[@]}"
fi

# The Windows window's tests run wine in a Japanese locale, so that wine's
# own choosers and buttons are Japanese: the locale must be generated.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
  echo "Generating the ja_JP.UTF-8 locale"
  if grep -q '^# *ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
    $sudo sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  elif ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
    echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen
fi
