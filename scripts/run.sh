#!/usr/bin/env bash
# Sets up, builds and starts Tessivo on the default data file (extra arguments go to the program).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
build="$root/build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSIVO_TESTS=OFF -DTESSIVO_BENCH=ON
cmake --build "$build" -j "$(nproc)"
if [ -x "$build/src/shell/tessivo" ]; then
  exec "$build/src/shell/tessivo" "$@"
fi
echo "Tessivo cannot start yet: the application shell is not built. The test suite runs with scripts/test.sh." >&2
exit 1
