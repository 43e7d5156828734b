#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (default 20), starting from its seed corpus. Crash inputs land in build/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for fuzzer in build/fuzz/fuzz/*_fuzzer; do
  name=$(basename "$fuzzer" _fuzzer)
  corpus="$work/$name"
  mkdir -p "$corpus"
  cp fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  options=()
  # Save Data files are about 10 KB for one spectrum; longer inputs reach their later lines.
  [[ $name == csv_reader ]] && options=(-max_len=20000)
  echo "=== fuzz $name for $seconds s"
  "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$artifacts/$name-" \
    "${options[@]}" "$corpus" 2>&1 | tail -n 12
  status=${PIPESTATUS[0]}
  if ((status != 0)); then
    echo "fuzz $name failed; the input is in $artifacts" >&2
    exit "$status"
  fi
done
