#!/usr/bin/env bash
# Sets up, builds and starts Tessivo on the default data file (extra arguments go to the program).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
build="$root/build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSIVO_TESTS=OFF -DTESSIVO_BENCH=OFF
cmake --build "$build" -j "$(nproc)"
program="$build/src/shell/tessivo"
if [ ! -x "$program" ]; then
  echo "The build did not produce $program." >&2
  exit 1
fi
exec "$program" "$@"
