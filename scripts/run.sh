#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Tremvale (release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "Tremvale needs a graphical desktop and no display was found (DISPLAY is not set): run this command from a desktop session, or under a virtual display with: xvfb-run -a bash scripts/run.sh" >&2
  exit 1
fi
bash scripts/install-deps.sh run
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target tremvale
exec build/release/app/tremvale "$@"
