#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a fresh Debian 12 machine would not get a package that the CMake configure finds:
# every *_DIR the configure resolves under /usr must belong to a package in the Depends closure
# (without Recommends) of the package list the matching command installs. Checked three times:
# the test command's configure (everything on) and its cross build for 64-bit Arm against the
# full list, the run command's (the programs alone) against the run list, which must be part of
# the full list.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

packages() { grep -hvE '^\s*(#|$)' "$@"; }

closure() {
  # shellcheck disable=SC2046
  apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances $(packages "$@") 2>/dev/null | grep -vE '^[ <]' | sort -u
}

# check LABEL "CMAKE ARGS" LIST...
check() {
  local label=$1 args=$2
  shift 2
  local build="$work/$label"
  # shellcheck disable=SC2086
  if ! cmake -S . -B "$build" -G Ninja $args >"$build.log" 2>&1; then
    echo "closure check ($label): the configure fails:" >&2
    grep -m1 -A3 'CMake Error' "$build.log" >&2 || tail -n 5 "$build.log" >&2
    return 1
  fi
  closure "$@" >"$build.closure"
  local missing=() dir file owner
  for dir in $(sed -n 's/^[A-Za-z0-9_]*_DIR:PATH=\(\/usr.*\)$/\1/p' "$build/CMakeCache.txt" | sort -u); do
    file=$(ls "$dir"/*Config.cmake "$dir"/*-config.cmake 2>/dev/null | head -n 1 || true)
    [[ -n "$file" ]] || continue
    owner=$(dpkg -S "$(realpath "$file")" 2>/dev/null | head -n 1 | cut -d: -f1 || true)
    [[ -n "$owner" ]] || owner=$(dpkg -S "$file" 2>/dev/null | head -n 1 | cut -d: -f1 || true)
    [[ -n "$owner" ]] || continue
    grep -qx "$owner" "$build.closure" || missing+=("$owner")
  done
  if ((${#missing[@]})); then
    printf 'closure check (%s): a fresh machine would not get these packages that the configure finds; add them to %s:\n' \
      "$label" "$*" >&2
    printf '  %s\n' $(printf '%s\n' "${missing[@]}" | sort -u) >&2
    return 1
  fi
  echo "closure check ($label): every package the configure finds is installed on a fresh machine"
}

status=0
extra=$(comm -23 <(packages deps/debian-packages-run.txt | sort -u) \
  <(packages deps/debian-packages.txt | sort -u))
if [[ -n "$extra" ]]; then
  echo "closure check: in deps/debian-packages-run.txt but not in deps/debian-packages.txt:" $extra >&2
  status=1
fi
check test "-DBUILD_TESTING=ON -DTREMVALE_BENCHMARKS=ON" deps/debian-packages.txt || status=1
check run "-DCMAKE_BUILD_TYPE=Release" deps/debian-packages-run.txt || status=1
check arm64 "--preset arm64" deps/debian-packages.txt || status=1
exit $status
