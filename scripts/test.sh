#!/usr/bin/env bash
# Builds Tremvale and runs every test: the core preset (the Qt-free libraries alone, GUI off),
# the dev preset, the bench preset, a short fuzz run, then the asan preset.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
run_preset() {
  echo "=== preset $1"
  cmake --preset "$1"
  cmake --build --preset "$1" -j "$jobs"
  ctest --preset "$1" -j "$jobs"
}
run_preset core
run_preset dev
echo "=== preset bench"
cmake --preset bench
cmake --build --preset bench -j "$jobs"
echo "=== fuzz"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-60}"
run_preset asan
