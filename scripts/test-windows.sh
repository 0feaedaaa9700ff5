#!/usr/bin/env bash
# Cross-builds core.dll and diz-cli.exe for Windows with MinGW-w64 in
# build-windows/ and runs their tests under wine (no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
cmake --preset windows-cross
cmake --build --preset windows-cross -j"$jobs"
ctest --preset windows-cross -j"$jobs"
