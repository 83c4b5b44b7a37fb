#!/usr/bin/env bash
# Starts the game in assets/, where it finds its two pictures by name.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
set -euo pipefail
game=$(realpath "$1")
if [ -z "${DISPLAY:-}" ]; then
  echo "run: no display (DISPLAY is unset); to play headless: xvfb-run -a -s '-screen 0 1024x768x24' make run" >&2
  exit 1
fi
cd "$(dirname "$0")/../assets"
exec "$game"
