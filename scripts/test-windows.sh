#!/usr/bin/env bash
# Cross-builds DIZ.exe, core.dll and diz-cli.exe for Windows with MinGW-w64 in
# build-windows/ and runs their tests under wine (the window's keyboard tests
# on a virtual display of their own, Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
cmake --preset windows-cross
cmake --build --preset windows-cross -j"$jobs"
ctest --preset windows-cross -j"$jobs"
