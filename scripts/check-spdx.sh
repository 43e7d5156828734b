#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Names every source file (C++, CMake, shell) whose first line, or second after a "#!" line, is
# not the project's licence identifier. With --fix, adds the line to those files instead.
# Usage: check-spdx.sh [--fix] [SOURCE_FOLDER]
set -euo pipefail
fix=0
if [[ "${1:-}" == --fix ]]; then
  fix=1
  shift
fi
cd "${1:-$(dirname "$0")/..}"
licence='SPDX-License-Identifier: GPL-3.0-or-later'
missing=0
while IFS= read -r -d '' file; do
  case $file in
    *.cpp | *.h | *.h.in) expected="// $licence" ;;
    *) expected="# $licence" ;;
  esac
  line1=$(sed -n 1p "$file")
  line2=$(sed -n 2p "$file")
  [[ "$line1" == "$expected" || ("$line1" == '#!'* && "$line2" == "$expected") ]] && continue
  if ((fix)); then
    if [[ "$line1" == '#!'* ]]; then
      sed -i "1a $expected" "$file"
    else
      sed -i "1i $expected" "$file"
    fi
  else
    echo "$file: lacks '$expected' as its first line (after any #! line)" >&2
    missing=1
  fi
done < <(find . \( -path ./build -o -path ./out -o -name .git -o -path ./fuzz/corpus \) -prune -o \
  -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.h.in' -o -name '*.cmake' \
  -o -name CMakeLists.txt -o -name '*.sh' -o -path ./.ci/run \) -print0 | sort -z)
((missing == 0)) || echo "check-spdx.sh --fix adds the missing lines" >&2
exit $missing
