#!/usr/bin/env bash
# Installing into a prefix: the desktop entry validates and starts the game where its pictures are,
# the manual page renders, and the installed program plays.
. "$(dirname "$0")/harness.sh"
build=$1
prefix=$work/prefix
check "cmake --install" cmake --install "$build" --prefix "$prefix" >/dev/null

entry=$prefix/share/applications/hollowmint.desktop
field() { sed -n "s/^$1=//p" "$entry"; }
check "the desktop entry validates" desktop-file-validate "$entry"
check "it starts the installed program" test -x "$(field Exec)"
check "in the folder of the pictures" test -f "$(field Path)/textures.gif" -a -f "$(field Path)/text.png"
for size in 32 48 128; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/$(field Icon).png
  check "its icon at $size x $size" test "$(identify -format %wx%h "$icon" 2>/dev/null)" = "${size}x$size"
done

page=$prefix/share/man/man6/hollowmint.6
check "the manual page renders without a warning" test -z "$(groff -man -Tutf8 -ww -z "$page" 2>&1)"
text=$(groff -man -Tascii -P-cbu "$page" 2>/dev/null)
for part in KEYS "MOVEMENT MODES" FILES OUTPUT "EXIT STATUS" Insert Esc "turn and drive" platform completed; do
  check "the manual page tells of $part" grep -q "$part" <<<"$text"
done

startx
check "the installed program starts from its data folder" startgame "$(field Exec)" "$(field Path)"
check "it loads its hundred tiles" progressfirst
quit
check "Esc ends it with status 0: $status" test "$status" -eq 0
summary
