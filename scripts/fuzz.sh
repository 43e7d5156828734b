#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
mkdir "$corpus/number" "$corpus/records"
cp fuzz/corpus/* "$corpus/number"/ 2>/dev/null || true
cp fuzz/corpus-records/* "$corpus/records"/ 2>/dev/null || true
build/fuzz/fuzz/parse_number_fuzzer -max_total_time="$seconds" -print_final_stats=1 "$corpus/number"
build/fuzz/fuzz/record_reader_fuzzer -max_total_time="$seconds" -print_final_stats=1 \
  "$corpus/records"
