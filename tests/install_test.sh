#!/usr/bin/env bash
# Installing into a prefix: the command starts the game where its pictures are, from any folder and with
# GLUT's options; the desktop entry, icons and manual page are in place; uninstalling takes it all away.
. "$(dirname "$0")/harness.sh"
build=$1
prefix=$work/prefix
# A component's own manifest leaves that of a real install, install_manifest.txt, as it was.
installgame() { cmake --install "$build" --prefix "$prefix" --component Unspecified >/dev/null; }
uninstallgame() { "$(dirname "$0")/../scripts/uninstall.sh" "$build/install_manifest_Unspecified.txt" >/dev/null; }
check "cmake --install" installgame

entry=$prefix/share/applications/hollowmint.desktop
field() { sed -n "s/^$1=//p" "$entry"; }
launcher=$(field Exec)
check "the desktop entry validates" desktop-file-validate "$entry"
check "it starts the command in games/" test "$launcher" = "$prefix/games/hollowmint" -a -x "$launcher"
for size in 32 48 128; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/$(field Icon).png
  check "its icon at $size x $size" test "$(identify -format %wx%h "$icon" 2>/dev/null)" = "${size}x$size"
done

page=$prefix/share/man/man6/hollowmint.6
check "the manual page renders without a warning" test -z "$(groff -man -Tutf8 -ww -z "$page" 2>&1)"
text=$(groff -man -Tascii -P-cbu "$page" 2>/dev/null)
for part in KEYS "MOVEMENT MODES" FILES OUTPUT "EXIT STATUS" Insert Esc "turn and drive" platform completed \
            "$prefix/share/games/hollowmint"; do
  check "the manual page tells of $part" grep -q "$part" <<<"$text"
done

# The first frame may come a moment after the last progress line.
lit() {
  for _ in $(seq 50); do
    [ "$(segments | tr -cd 1 | wc -c)" -gt 0 ] && return 0
    sleep 0.1
  done
  return 1
}

startx
# Without DISPLAY, only -display on its command line takes the game to the X server.
if check "the command starts the game from / with -display" \
     startgame "$(command -v env)" / -u DISPLAY "$launcher" -display "$DISPLAY"; then
  check "it loads its hundred tiles" progressfirst
  check "its pictures show: the counter's digits are lit" lit
  quit
  check "Esc ends it with status 0 through the command: $status" test "$status" -eq 0
fi

check "make uninstall's script runs" uninstallgame
left=$(find "$prefix" -path '*hollowmint*' | head -n 1)
check "it leaves no file or folder of the game: $left" test -z "$left"
summary
