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
# Each run's report goes to a log, shown when the run fails.
run() {
  local name=$1
  shift
  "$@" "${options[@]}" -o "$out/$name.at2" 2>"$out/$name.log" || {
    echo "reproducibility check: the $name run failed:" >&2
    cat "$out/$name.log" >&2
    exit 1
  }
}
run native "$cli"
run nehalem qemu-x86_64 -cpu Nehalem "$cli"
if ! cmp -s "$out/native.at2" "$out/nehalem.at2"; then
  echo "reproducibility check: the record differs between this processor and a Nehalem" >&2
  exit 1
fi
echo "reproducibility check: the same record on this processor and on a Nehalem"
