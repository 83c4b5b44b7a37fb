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

# The costliest strips in place of the game's own: the most that 100 tiles may decode and hold,
# 2048 x 1146 pixels each, within maxstrippixels (src/hollowmint.h); past it, whose tiles are blank;
# and digits of the most pixels that the guard takes, with alpha, which every round loads again.
costly() { # folder, the strip it replaces, its size, ImageMagick's output format
  mkdir -p "$work/$1"
  cp textures.gif text.png "$work/$1/"
  /usr/bin/convert -size "$3" xc:'rgba(255,255,255,0.5)' "$4:$work/$1/$2"
}
costly atbudget textures.gif 2048x1146 GIF
costly pastbudget textures.gif 4096x4096 GIF
costly largestdigits text.png 4096x4096 PNG32
"$bench" worst . "the game's own strips"
"$bench" worst "$work/atbudget" "textures.gif of 2048 x 1146, at the budget"
"$bench" worst "$work/pastbudget" "textures.gif of 4096 x 4096 (12 KB), past it: blank"
"$bench" worst "$work/largestdigits" "text.png of 4096 x 4096, the most the guard takes"

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
