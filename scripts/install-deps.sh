#!/usr/bin/env bash
# Installs the Debian packages DIZ needs to build, test and run, if any is
# missing. Safe to run again: it does nothing when everything is there.
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
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y "${missing[@]}"
