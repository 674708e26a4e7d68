#!/usr/bin/env bash
# Installs what is missing and builds the benchmarks in a Release tree, build/bench, where
# docs/BENCHMARKS.md runs them (by hand: each names its command there).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DLARMOR_BUILD_TESTS=ON -DLARMOR_BUILD_BENCH=ON >/dev/null
cmake --build "$top/build/bench" --target larmor_benchmarks
