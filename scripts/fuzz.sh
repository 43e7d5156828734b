#!/usr/bin/env bash
# Builds the libFuzzer target with clang and runs it for the given number of seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp fuzz/corpus/* "$corpus"/ 2>/dev/null || true
build/fuzz/fuzz/parse_number_fuzzer -max_total_time="$seconds" -print_final_stats=1 "$corpus"
