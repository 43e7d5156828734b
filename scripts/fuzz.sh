#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs them: the number parser for the given number
# of seconds (default 60), the CSV readers for the second number (default 20).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
csv_seconds=${2:-20}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
# run_fuzzer NAME SEED_FOLDER SECONDS [libFuzzer options]: a fresh copy of the seeds, so the run adds
# nothing to the repository.
run_fuzzer() {
  local name=$1 seeds=$2 time=$3
  shift 3
  mkdir -p "$corpus/$name"
  cp "$seeds"/* "$corpus/$name"/ 2>/dev/null || true
  build/fuzz/fuzz/"$name" -max_total_time="$time" -print_final_stats=1 "$@" "$corpus/$name"
}
run_fuzzer parse_number_fuzzer fuzz/corpus "$seconds"
# Save Data files are about 10 KB for one spectrum; longer inputs reach their later lines.
run_fuzzer csv_reader_fuzzer fuzz/csv_corpus "$csv_seconds" -max_len=20000
