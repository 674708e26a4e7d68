#!/bin/sh
# Runs one fuzzer for LARMOR_FUZZ_SECONDS seconds (20 by default) from its committed corpus.
# New inputs go to a temporary folder, so the committed corpus stays small; a crashing
# input is kept in the artifacts folder and makes the run fail.
# usage: run_fuzzer.sh FUZZER CORPUS MAX_LEN ARTIFACTS [more libFuzzer options]
set -eu
fuzzer=$1 corpus=$2 max_len=$3 artifacts=$4
shift 4
seconds=${LARMOR_FUZZ_SECONDS:-20}
grown=$(mktemp -d)
trap 'rm -rf "$grown"' EXIT
mkdir -p "$artifacts"
"$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$artifacts/$(basename "$fuzzer")-" "$@" "$grown" "$corpus"
