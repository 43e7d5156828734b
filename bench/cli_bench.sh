#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-process figures of tremvale-cli (bench preset, optimised): 100 and 10,000 spectra from
# a batch file into one csv file and into a folder of txt files, each timed by /usr/bin/time
# for the elapsed time and the peak resident memory.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset bench >/dev/null
cmake --build --preset bench -j2 --target tremvale-cli
cli=build/bench/cli/tremvale-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A batch of N rows that walks through every list choice and a few damping ratios.
make_batch() {
  local n=$1 file=$2
  local pgas=(0.05 0.10 0.15 0.20 0.30 0.40) actions=(frequent fortification rare)
  local sites=(I0 I1 II III IV) codes=(2010 2001) dampings=(0.05 0.02 0.1 0.035)
  {
    echo "name,code,pga,action,site,group,damping"
    for ((i = 1; i <= n; i++)); do
      echo "S$i,${codes[i % 2]},${pgas[i % 6]},${actions[i % 3]},${sites[i % 5]},$((i % 3 + 1)),${dampings[i % 4]}"
    done
  } >"$file"
}

# measure LABEL ARGS...: one run, its wall time and peak memory.
measure() {
  local label=$1
  shift
  /usr/bin/time -f "%e %M" -o "$work/time" "$cli" "$@"
  read -r seconds kilobytes <"$work/time"
  awk -v l="$label" -v s="$seconds" -v k="$kilobytes" 'BEGIN { printf "%-28s %8.2f s %8.1f MiB\n", l, s, k / 1024 }'
}

printf '%-28s %10s %12s\n' "case" "time" "peak RSS"
for n in 100 10000; do
  make_batch "$n" "$work/batch-$n.csv"
  measure "$n spectra -> one csv" spectrum --batch "$work/batch-$n.csv" -o "$work/out-$n.csv"
  measure "$n spectra -> txt folder" spectrum --batch "$work/batch-$n.csv" --format txt \
    -o "$work/txt-$n"
  rm -rf "$work/txt-$n" "$work/out-$n.csv"
done
