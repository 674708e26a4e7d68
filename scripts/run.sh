#!/usr/bin/env bash
# Installs what is missing, builds Larmor (Release) and starts it in its runtime folder.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLARMOR_BUILD_TESTS=OFF >/dev/null
cmake --build "$top/build/release"
cd "$top/build/release/runtime"
exec ./larmor "$@"
