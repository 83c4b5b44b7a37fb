#!/usr/bin/env bash
# make screenshot: the real game on an X server of its own, pictured a second into a round.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
set -euo pipefail
game=$(realpath "$1")
shot=$(realpath "$(dirname "$0")/../doc")/screenshot.png
. "$(dirname "$0")/../tests/harness.sh"
startx
startgame "$game" "$(dirname "$0")/../assets"
sleep 1
import -window "$window" "$shot"
quit
echo "screenshot: $shot"
