#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the Debian changelog (gzip -9n) from CHANGELOG.md. Fails when the newest release there
# is not VERSION, so a release cannot go out with a stale changelog.
# Usage: debian-changelog.sh CHANGELOG.md VERSION MAINTAINER OUTPUT.gz
set -euo pipefail
source=$1 version=$2 maintainer=$3 output=$4
newest=$(sed -n 's/^## \([^ ]*\) .*/\1/p' "$source" | head -n 1)
if [[ "$newest" != "$version" ]]; then
  echo "$source: the newest release is '$newest', the project's version is $version" >&2
  exit 1
fi
text=$(awk -v maintainer="$maintainer" '
  function close_entry() {
    if (open) printf "\n -- %s  %s\n\n", maintainer, date
    open = 0
  }
  /^## / {
    close_entry()
    version = $2; day = $3; gsub(/[()]/, "", day)
    cmd = "LC_ALL=C TZ=UTC date -R -d " day
    if ((cmd | getline date) <= 0) { print "bad date: " $0 > "/dev/stderr"; exit 1 }
    close(cmd)
    printf "tremvale (%s) stable; urgency=medium\n\n", version
    open = 1; next
  }
  !open { next }
  /^- / { print "  * " substr($0, 3); next }
  /^  [^ ]/ { print "    " substr($0, 3); next }
  /^$/ { next }
  { print "unexpected line: " $0 > "/dev/stderr"; exit 1 }
  END { close_entry() }
' "$source")
printf '%s\n' "$text" | gzip -9n >"$output"
