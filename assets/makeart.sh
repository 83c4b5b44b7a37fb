#!/usr/bin/env bash
# Draws the game's two picture strips, textures.gif and text.png, and its desktop icons into this
# folder. The game shows strips upside down, so both strips are flipped before they are written.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
set -euo pipefail
cd "$(dirname "$0")"
convert=/usr/bin/convert # the real ImageMagick, not a wrapper earlier on PATH

tile=32  # pixels a side of a tile in textures.gif
tiles=100
used=19  # tiles 0 to 18 appear in the game; the rest stay transparent
colours=(e6194b 3cb44b ffe119 4363d8 f58231 911eb4 46f0f0 f032e6 bcf60c fabebe
         008080 e6beff 9a6324 fffac8 800000 aaffc3 808000 ffd8b1 000075)
iconsizes=(16 32 48 64 128 256) # pixels a side, as the desktops' icon themes ask for them

shape() { # tile index, left edge: the body, then an eye looking along +x
  local i=$1 x=$2 c=$((x + 16))
  case $((i % 4)) in
    0) echo "circle $c,16 $c,3" ;;
    1) echo "roundrectangle $((x + 3)),3 $((x + 28)),28 6,6" ;;
    2) echo "polygon $c,2 $((x + 29)),16 $c,29 $((x + 2)),16" ;;
    3) echo "polygon $((x + 9)),3 $((x + 22)),3 $((x + 29)),16 $((x + 22)),28 $((x + 9)),28 $((x + 2)),16" ;;
  esac
}

drawtile() { # tile index, left edge, a drawing transform or none: adds the tile's drawing to args
  local i=$1 x=$2 transform=${3:-}
  args+=(-fill "#${colours[i]}" -stroke '#202020' -strokewidth 2 -draw "$transform $(shape "$i" "$x")")
  args+=(-fill white -stroke '#202020' -strokewidth 1 -draw "$transform circle $((x + 22)),10 $((x + 22)),7")
}

args=()
for ((i = 0; i < used; i++)); do
  drawtile "$i" $((i * tile))
done
"$convert" -size $((tile * tiles))x$tile xc:none +antialias "${args[@]}" -flip textures.gif

# Seven segments a digit: a b c d e f g, as in a pocket calculator.
segments=(abcdef bc abdeg abcdg bcfg acdfg acdefg abc abcdefg abcdfg)
segment() { # segment letter, left edge of a 16-pixel cell
  local x=$2
  case $1 in
    a) echo "rectangle $((x + 4)),1 $((x + 11)),3" ;;
    b) echo "rectangle $((x + 10)),2 $((x + 12)),7" ;;
    c) echo "rectangle $((x + 10)),8 $((x + 12)),13" ;;
    d) echo "rectangle $((x + 4)),12 $((x + 11)),14" ;;
    e) echo "rectangle $((x + 3)),8 $((x + 5)),13" ;;
    f) echo "rectangle $((x + 3)),2 $((x + 5)),7" ;;
    g) echo "rectangle $((x + 4)),7 $((x + 11)),8" ;;
  esac
}
args=()
for ((d = 0; d < 10; d++)); do
  x=$((d * 16))
  args+=(-fill '#00000080' -draw "roundrectangle $((x + 1)),0 $((x + 14)),15 3,3" -fill white)
  for ((k = 0; k < ${#segments[d]}; k++)); do
    args+=(-draw "$(segment "${segments[d]:k:1}" "$x")")
  done
done
"$convert" -size 160x16 xc:none +antialias "${args[@]}" -flip -define png:exclude-chunks=date,time -strip text.png

# The desktop icon: tile 0, drawn afresh at each size with smooth edges, so that no size is a blurred
# scaling of another. The transform maps the tile's pixel squares onto the icon's.
for size in "${iconsizes[@]}"; do
  scale=$(awk -v size="$size" -v tile=$tile 'BEGIN { print size / tile }')
  offset=$(awk -v scale="$scale" 'BEGIN { print (scale - 1) / 2 }')
  args=()
  drawtile 0 0 "translate $offset,$offset scale $scale,$scale"
  "$convert" -size "${size}x$size" xc:none "${args[@]}" -define png:exclude-chunks=date,time -strip "PNG32:hollowmint-$size.png"
done
