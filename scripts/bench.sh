#!/usr/bin/env bash
# Builds the optimised program build and runs every benchmark program in it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
build="$root/build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSIVO_TESTS=OFF -DTESSIVO_BENCH=ON
cmake --build "$build" -j "$(nproc)"
for b in "$build"/bench/*Bench; do
  [ -x "$b" ] && "$b" "$@"
done
