#!/usr/bin/env bash
# Installs what is missing, builds the release tree and runs the example
# lineup in examples/: the DIZ window when a display is available, otherwise
# the same run through diz-cli.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
cmake --preset release
cmake --build --preset release -j"$(nproc)"

cd examples  # DIZ and diz-cli read order.dat from the current directory
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$root/build/bin/DIZ" ]; then
  echo "Opening DIZ in examples/: Load batters.txt, then press シミュレート！"
  exec "$root/build/bin/DIZ"
fi
echo "No display: running the example with diz-cli instead."
echo "Result file: build/example-output.txt"
exec "$root/build/bin/diz-cli" run --batters batters.txt --pattern '*********' \
  --output "$root/build/example-output.txt"
