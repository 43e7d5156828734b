#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the missing Debian packages: with "run", only what building and running the
# programs needs (deps/debian-packages-run.txt); otherwise everything the tests, benchmarks,
# fuzzing and packaging need as well (deps/debian-packages.txt).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
list="$here/deps/debian-packages.txt"
[[ "${1:-all}" == run ]] && list="$here/deps/debian-packages-run.txt"
missing=()
while read -r pkg; do
  [[ -z "$pkg" || "$pkg" == \#* ]] && continue
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done <"$list"
if ((${#missing[@]})); then
  echo "Installing missing packages: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
