#!/usr/bin/env bash
# make bench: the benchmark on an X server of its own, then the share of a frame that our own code
# takes, from callgrind's count of instructions (self cost in the game's code; GL's JIT counts as GL).
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
set -euo pipefail
bench=$(realpath "$1")
. "$(dirname "$0")/../tests/harness.sh"
startx
cd "$(dirname "$0")/../assets"
echo "$(nproc) cores, $(free -g | awk '/Mem:/{print $2}') GiB, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"
echo "$(glxinfo -B 2>/dev/null | awk -F': ' '/OpenGL renderer/{print $2}')"
"$bench"

share() {
  valgrind --tool=callgrind --callgrind-out-file="$work/calls" --toggle-collect='measuredframes*' \
    "$bench" frames 200 >/dev/null 2>&1
  callgrind_annotate --inclusive=no "$work/calls" 2>/dev/null | awk -v ours="[$bench]" '
    /PROGRAM TOTALS/ { gsub(",", "", $1); total = $1 }
    index($0, ours) { gsub(",", "", $1); own += $1 }
    END { printf "%.3f\n", own / total * 100 }'
}
shares=$( (share; share; share) | sort -n | tr '\n' ' ')
read -r low median high <<<"$shares"
printf '%-30s %10.2f %-4s %-20s   %s\n' "our code's share of a frame" "$median" "%" "($low to $high)" "under 5%"
