#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the built package with apt into a fresh Debian 12 chroot (debootstrap, minbase, plus
# man-db for `man -w`) and runs the installed programs there. Only Depends are installed, so a
# missing dependency shows. Needs root.
#
# The bare chroot is kept as a tarball and apt's downloads in a folder beside it (default
# /var/cache/tremvale, or $TREMVALE_CHROOT_CACHE); every run unpacks a fresh copy. The first run
# builds the cache from the Debian mirror. With --cached-only the check is skipped, with a note,
# where no cache exists yet.
#
# Usage: check-install.sh [--cached-only] [BUILD_FOLDER]   (default build/bench)
set -euo pipefail
cd "$(dirname "$0")/.."
cached_only=0
if [[ "${1:-}" == --cached-only ]]; then
  cached_only=1
  shift
fi
build=${1:-build/bench}
cache=${TREMVALE_CHROOT_CACHE:-/var/cache/tremvale}
mirror=${TREMVALE_DEBIAN_MIRROR:-http://deb.debian.org/debian}
security=${TREMVALE_DEBIAN_SECURITY:-http://deb.debian.org/debian-security}
tarball="$cache/bookworm-minbase.tar"
archives="$cache/archives"
started=$SECONDS

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$build/tremvale_${version}_amd64.deb"
[[ -f "$deb" ]] || { echo "install check: $deb is missing; run check-package.sh first" >&2; exit 1; }
if [[ ! -f "$tarball" ]] && ((cached_only)); then
  echo "install check: skipped, no chroot cache at $tarball (run scripts/check-install.sh once to make it)"
  exit 0
fi
[[ $(id -u) -eq 0 ]] || { echo "install check: needs root (debootstrap, chroot)" >&2; exit 1; }

# The rest runs in a mount namespace of its own, the chroot on a tmpfs: every mount, the chroot
# included, ends with the script whatever happens, and nothing is left to delete.
if [[ -z "${TREMVALE_INSTALL_NAMESPACE:-}" ]]; then
  TREMVALE_INSTALL_NAMESPACE=1 exec unshare --mount --propagation private -- bash "$0" "$@"
fi
root=$(mktemp -d /var/tmp/tremvale-chroot.XXXXXX)
trap 'umount --recursive --lazy "$root"; rmdir "$root"' EXIT
mount -t tmpfs -o mode=755 tmpfs "$root"

apt_options=(-o Acquire::Check-Valid-Until=false -o Acquire::Languages=none -o Dpkg::Use-Pty=0)
in_chroot() {
  chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"
}
# /proc, /dev and the download cache; tar --one-file-system leaves them out of the tarball.
mount_in_chroot() {
  mount -t proc proc "$root/proc"
  mount --rbind /dev "$root/dev"
  mount --bind "$archives" "$root/var/cache/apt/archives"
}

mkdir -p "$archives/partial"
if [[ ! -f "$tarball" ]]; then
  echo "install check: making the chroot cache $tarball from $mirror"
  debootstrap --variant=minbase --include=man-db --cache-dir="$archives" bookworm "$root" \
    "$mirror" >"$root.log" 2>&1 || { tail -n 20 "$root.log" >&2; rm -f "$root.log"; exit 1; }
  rm -f "$root.log"
  # debootstrap leaves its downloads in the chroot too; they are kept once, in the cache folder.
  rm -f "$root"/var/cache/apt/archives/*.deb
  # The suites the build machine takes its libraries from, so Depends versions can be met.
  printf 'deb %s bookworm main\ndeb %s bookworm-updates main\ndeb %s bookworm-security main\n' \
    "$mirror" "$mirror" "$security" >"$root/etc/apt/sources.list"
  mount_in_chroot
  in_chroot apt-get "${apt_options[@]}" -qq update
  rm -f "$root"/var/cache/apt/*.bin
  tar --one-file-system -C "$root" -cf "$tarball.part" . && mv "$tarball.part" "$tarball"
  echo "install check: chroot cache made ($((SECONDS - started)) s)"
else
  tar -C "$root" -xpf "$tarball"
  mount_in_chroot
fi

cp "$deb" "$root/tmp/"
log="$build/install-check.log"
if ! in_chroot bash -c "cd /tmp && apt-get ${apt_options[*]} -qq update &&
    apt-get ${apt_options[*]} install -y --no-install-recommends ./$(basename "$deb")" \
  >"$log" 2>&1; then
  tail -n 30 "$log" >&2
  echo "install check: apt-get install ./$(basename "$deb") fails in a fresh Debian 12 chroot" >&2
  exit 1
fi

fail=0
checks=("tremvale --version" "tremvale-cli --version" "man -w tremvale-cli")
for command in "${checks[@]}"; do
  # shellcheck disable=SC2086
  if ! out=$(in_chroot $command 2>&1); then
    echo "install check: '$command' fails in the chroot: $out" >&2
    fail=1
  fi
done
((fail == 0)) || exit 1
echo "install check: apt installs $(basename "$deb") into a fresh Debian 12 chroot, where" \
  "tremvale --version, tremvale-cli --version and man -w tremvale-cli work ($((SECONDS - started)) s)"
