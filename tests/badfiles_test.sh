#!/usr/bin/env bash
# Bad picture files in place of either strip, and odd ones that are good: the game starts, runs and
# quits as ever, and says no more.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
. "$(dirname "$0")/harness.sh"
game=$1
assets=$PWD
startx

crc() { # the CRC-32 of standard input, big-endian, as PNG wants it: gzip keeps it little-endian
  gzip -c | tail -c 8 | head -c 4 | od -An -tx1 | awk '{ printf "\\x%s\\x%s\\x%s\\x%s", $4, $3, $2, $1 }'
}

# A valid PNG header whose picture would be 200,000 pixels a side.
hugepng() {
  local ihdr='IHDR\x00\x03\x0d\x40\x00\x03\x0d\x40\x08\x06\x00\x00\x00'
  printf '\x89PNG\r\n\x1a\n\x00\x00\x00\x0d'"$ihdr$(printf "$ihdr" | crc)"
  tail -c +34 "$assets/text.png"
}

# An 8 x 8 GIF in two colours around the blocks given, and an 8 x 8 frame for it: at LEFT, with an LZW
# code size of SIZE, in printf's escapes.
gif() { printf 'GIF89a\x08\x00\x08\x00\x80\x00\x00\x00\x00\xff\x55\x28\xc3'"$1"';'; }
frame() { echo ",$1"'\x00\x00\x08\x00\x08\x00\x00'"$2"'\x06\x84\x8f\xa9\xcb\xed\x5d\x00'; }
inside=$(frame '\x00\x00' '\x02')

# spoil KIND GOOD: writes a bad stand-in for the good picture to standard output.
spoil() {
  case $1 in
    empty) ;;
    halfway) head -c $(( $(stat -c %s "$2") / 2 )) "$2" ;;
    noise) LC_ALL=C awk 'BEGIN { srand(7); for (i = 0; i < 6000; i++) printf "%c", int(rand() * 255) + 1 }' ;;
    text) yes 'These are not the pictures you are looking for.' | head -n 40 ;;
    hugegif) printf 'GIF89a\xff\xff\xff\xff'; tail -c +11 "$assets/textures.gif" ;;
    hugepng) hugepng ;;
    oddwidth) /usr/bin/convert "$2" -resize "$(( $(identify -format %w "$2") + 7 ))x16!" - ;;
    outside) gif "$(frame '\xe8\xfd' '\x02')" ;; # at x = 65,000
    frames) gif "$(for _ in $(seq 1100); do echo -n "$inside"; done)" ;;
    lzwsize) gif "$(frame '\x00\x00' '\x0c')" ;;
    lzwsize1) gif "$(frame '\x00\x00' '\x01')" ;;
    unknownextension) gif '\x21\x42\x05hello\x00'"$inside" ;; # skipped, as GIF89a says
    giant) /usr/bin/convert -size 4096x4096 xc:white "${2##*.}:-" ;; # 12 KB, decoded 16 million pixels
    cutframe) gif "$inside" | head -c 34 ;;
  esac
}

for target in textures.gif text.png; do
  kinds="missing empty halfway noise text hugegif hugepng oddwidth giant"
  [ $target = textures.gif ] && kinds+=" outside frames lzwsize lzwsize1 unknownextension cutframe"
  for kind in $kinds; do
    folder=$work/$kind-$target
    mkdir "$folder"
    cp "$assets/textures.gif" "$assets/text.png" "$folder/"
    rm "$folder/$target"
    [ $kind = missing ] || spoil $kind "$assets/$target" >"$folder/$target"
    what="$target $kind"
    if check "$what: the window opens" startgame "$game" "$folder"; then
      sleep 1
      check "$what: the game runs" kill -0 "$gamepid"
      check "$what: the hundred progress lines" progressfirst
      quit
      check "$what: Esc ends it with status 0: $status" test "$status" -eq 0
      check "$what: nothing else is printed" saysnomore
    fi
    [ -n "$gamepid" ] && kill "$gamepid" && gamepid=
  done
done
summary
