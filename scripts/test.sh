#!/usr/bin/env bash
# Sets up, builds the sanitized test build and runs the whole test suite through CTest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
build="$root/build-tests"
jobs=$(nproc)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSIVO_SANITIZE=ON -DTESSIVO_TESTS=ON -DTESSIVO_BENCH=OFF
cmake --build "$build" -j "$jobs"
cd "$build"
ctest --output-on-failure -j "$jobs" --timeout 900 "$@"
