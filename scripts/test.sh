#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Tremvale and runs every check: the package lists against what the configure finds, the
# Qt-free libraries alone (also cross-built for 64-bit Arm), the dev tests, an optimised build of
# the programs with the benchmarks and the Debian package, an artificial record compared with one
# made under qemu as an older processor, its clean install into a Debian 12
# chroot, a short run of every fuzzer, then the sanitizer tests.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
bash scripts/install-deps.sh
bash scripts/check-closure.sh
export QT_QPA_PLATFORM=offscreen
# Compilations are cached by path relative to the checkout, so any clone reuses them.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
jobs=$(nproc)
step() { echo "=== $* ($((SECONDS - started)) s)"; }
build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
}
run_preset() {
  step "preset $1"
  build "$1"
  ctest --preset "$1" -j "$jobs"
}
run_preset core
# The same libraries and tests on 64-bit Arm, cross-built and run under qemu-user: the plain
# kernel path, and the digits the tests expect, on another processor.
run_preset arm64
run_preset dev
step "preset bench: optimised programs, benchmarks and the Debian package"
build bench
bash scripts/check-package.sh build/bench
bash scripts/check-reproducible.sh build/bench
step "clean install of the package into a fresh Debian 12 chroot"
bash scripts/check-install.sh build/bench
step "fuzz"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-20}"
run_preset asan
step "all checks passed"
