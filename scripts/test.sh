#!/usr/bin/env bash
# Installs what is missing, builds the tests and the benchmarks (compiled, not run) with
# AddressSanitizer and UndefinedBehaviorSanitizer, fuzzes each entry point for a short
# while, and runs every test. The benchmarks are measured in a Release tree of their own:
# scripts/bench.sh.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"

cmake -S "$top" -B "$top/build/test" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DLARMOR_SANITIZE=ON -DLARMOR_BUILD_TESTS=ON -DLARMOR_BUILD_BENCH=ON >/dev/null
cmake --build "$top/build/test"
cmake --build "$top/build/test" --target larmor_benchmarks

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$top/tests/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1

# Fuzzers: a clang tree of their own (libFuzzer), each fuzzed for about 20 s from its
# committed corpus, two at a time; LARMOR_FUZZ_SECONDS sets a longer run (README, Fuzzing).
cmake -S "$top" -B "$top/build/fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DLARMOR_SANITIZE=ON -DLARMOR_FUZZ=ON -DLARMOR_BUILD_TESTS=ON -DLARMOR_BUILD_BENCH=OFF \
      -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
cmake --build "$top/build/fuzz" --target larmor_fuzzers
ctest --test-dir "$top/build/fuzz" -L fuzz --output-on-failure -j2

# Every other test: model, views, window (offscreen), companion, documents, install,
# the monkey test, flat memory, and the end-to-end run under Xvfb.
ctest --test-dir "$top/build/test" --output-on-failure --timeout 600 -j2
