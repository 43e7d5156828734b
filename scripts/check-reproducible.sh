#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# An artificial record must come out the same on every processor: generates one natively and
# once more under qemu-user posing as a processor without AVX (so other code paths of the
# program and of FFTW run), and compares the bytes. The record is short to keep qemu's time
# down (about 10 s).
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/bench}/cli/tremvale-cli
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
options=(artificial --pga 0.20 --site II --seed 1 --duration 10 --band 0.05,2)
"$cli" "${options[@]}" -o "$out/native.at2" 2>/dev/null
qemu-x86_64 -cpu Nehalem "$cli" "${options[@]}" -o "$out/nehalem.at2" 2>/dev/null
if ! cmp -s "$out/native.at2" "$out/nehalem.at2"; then
  echo "reproducibility check: the record differs between this processor and a Nehalem" >&2
  exit 1
fi
echo "reproducibility check: the same record on this processor and on a Nehalem"
