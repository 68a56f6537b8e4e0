#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs the record fuzzer.
# Usage: scripts/fuzz.sh [seconds] (default 300). Inputs that break a rule are written to
# build-fuzz/crashes/; keep each one under tests/data/fuzz/ once fixed, where a test replays it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
missing=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSIVO_FUZZ=ON \
  -DTESSIVO_TESTS=OFF
cmake --build "$build" -j 3 --target tessivo_record_fuzz
mkdir -p "$build/corpus/record" "$build/crashes"
"$build/tests/fuzz/tessivo_record_fuzz" -max_total_time="${1:-300}" -timeout=5 \
  -artifact_prefix="$build/crashes/" "$build/corpus/record" "$root/tests/data/fuzz"
