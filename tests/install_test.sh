#!/usr/bin/env bash
# Installing into a prefix: the command starts the game where its pictures are, from any folder and with
# GLUT's options; the desktop entry, icons and manual page are in place; uninstalling takes it all away.
# The Debian package holds that same install under /usr, and lintian finds nothing wrong with it.
. "$(dirname "$0")/harness.sh"
build=$1
prefix=$work/prefix
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
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

page=$prefix/share/man/man6/hollowmint.6.gz
check "the manual page renders without a warning" test -z "$(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1)"
text=$(zcat "$page" | groff -man -Tascii -P-cbu 2>/dev/null)
for part in KEYS "MOVEMENT MODES" FILES OUTPUT "EXIT STATUS" Insert Esc "turn and drive" platform completed \
            "$prefix/share/games/hollowmint" "Hollowmint $version"; do
  check "the manual page tells of $part" grep -q "$part" <<<"$text"
done

startx
# Without DISPLAY, only -display on its command line takes the game to the X server.
if check "the command starts the game from / with -display" \
     startgame "$(command -v env)" / -u DISPLAY "$launcher" -display "$DISPLAY"; then
  check "it loads its hundred tiles" progressfirst
  # The first frame may come a moment after the last progress line.
  check "its pictures show: the counter's digits are lit" within 30 lit
  quit
  check "Esc ends it with status 0 through the command: $status" test "$status" -eq 0
fi

check "make uninstall's script runs" uninstallgame
left=$(find "$prefix" -path '*hollowmint*' | head -n 1)
check "it leaves no file or folder of the game: $left" test -z "$left"

check "cpack builds the package" cpack --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
deb=$(ls "$work"/package/hollowmint_*.deb)
control() { dpkg-deb -f "$deb" "$1"; }
check "it is hollowmint $version, in games: $(control Package) $(control Version), $(control Section)" \
  test "$(control Package) $(control Version) $(control Section)" = "hollowmint $version games"
depends=$(control Depends)
check "it depends on freeglut's and DevIL's libraries: $depends" grep -q 'libglut.*libdevil\|libdevil.*libglut' <<<"$depends"

# The same install rules, under /usr: the package holds just those files.
DESTDIR=$work/usr cmake --install "$build" --prefix /usr --component Unspecified >/dev/null
(cd "$work/usr" && find . -type f | sort) >"$work/installed"
dpkg-deb -c "$deb" | awk '/^-/ { print $NF }' | sort >"$work/packaged"
check "it holds what cmake --install --prefix /usr puts in place, file for file" diff "$work/installed" "$work/packaged"
# A licence is the owner's to choose: until then the package has no copyright file.
check "lintian finds no error or warning but the missing copyright file" \
  lintian --fail-on error,warning --suppress-tags no-copyright-file "$deb"
summary
