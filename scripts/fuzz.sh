#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs one of them, or each in turn.
# Usage: scripts/fuzz.sh [target] [seconds]
#   target: record (event and task records, the default), settings (the settings file),
#           transfer (the clipboard item format), itemtypes (the item-type list), iconfile (the
#           ".ico" reader of the item-type icons), or all
#   seconds: how long each target runs (default 300); a lone number runs the record fuzzer.
# Inputs that break a rule are written to build-fuzz/crashes/<target>/; keep each one, once
# fixed, beside the target's seeds (tests/data/fuzz/ for records, tests/data/fuzz-<target>/ for
# the others), where the test suite replays it.
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
targets=(record settings transfer itemtypes iconfile)
which=record
if (($# > 0)) && ! [[ "$1" =~ ^[0-9]+$ ]]; then
  which=$1
  shift
fi
seconds=${1:-300}
if [ "$which" = all ]; then
  run=("${targets[@]}")
elif [[ " ${targets[*]} " == *" $which "* ]]; then
  run=("$which")
else
  echo "unknown fuzz target '$which'; one of: ${targets[*]} all" >&2
  exit 2
fi
build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSIVO_FUZZ=ON \
  -DTESSIVO_TESTS=OFF
mapfile -t binaries < <(printf 'tessivo_%s_fuzz\n' "${run[@]}")
cmake --build "$build" -j 3 --target "${binaries[@]}"
for target in "${run[@]}"; do
  seeds="$root/tests/data/fuzz-$target"
  [ "$target" = record ] && seeds="$root/tests/data/fuzz"
  mkdir -p "$build/corpus/$target" "$build/crashes/$target"
  echo "== $target: $seconds s"
  "$build/tests/fuzz/tessivo_${target}_fuzz" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
    -artifact_prefix="$build/crashes/$target/" "$build/corpus/$target" "$seeds"
done
