#!/usr/bin/env bash
# Installing into a prefix: the command starts the game where its pictures are, from any folder and with
# GLUT's options; the desktop entry, icons and manual page are in place; uninstalling takes it all away.
# The Debian package holds that same install under /usr, lintian finds nothing at all to say of it, and
# the same source gives the same package, byte for byte, wherever and by whomever it is built.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
. "$(dirname "$0")/harness.sh"
build=$1 source=$2
prefix=$work/prefix
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
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

metainfo=$(ls "$prefix"/share/metainfo/*.metainfo.xml)
check "the software centres' metainfo validates" appstreamcli validate --no-net "$metainfo" >/dev/null
check "it names the desktop entry that starts the game" \
  grep -q "<launchable type=\"desktop-id\">$(basename "$entry")</launchable>" "$metainfo"

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

# The package is Debian's, built and judged by Debian's own tools.
for tool in dpkg-deb dpkg-shlibdeps lintian; do
  command -v "$tool" >/dev/null || { echo "skipped: the Debian package, as there is no $tool here"; summary; }
done
# Only the plain build's program is ever shipped.
if grep -q '^HOLLOWMINT_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then
  echo "the package is not built from a sanitized build"
  summary
fi
makedeb() { (umask 022 && cpack --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null); }
check "cpack builds the package, as make deb does" makedeb
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
packaged() { grep -qx "./usr/$1" "$work/packaged"; }
check "among them the copyright file" packaged share/doc/hollowmint/copyright
check "and the metainfo" packaged "share/metainfo/$(basename "$metainfo")"
check "lintian has nothing to say of it, not even a pedantic or an informational tag" \
  lintian --info --pedantic --fail-on error,warning,info,pedantic "$deb"

# make deb again from a copy elsewhere, under another umask, time zone and locale, and some time later.
sourcecopy "$source" "$work/elsewhere"
rebuild() {
  (umask 077 && cd "$work/elsewhere" && TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 env -u MAKEFLAGS -u MAKELEVEL make deb >/dev/null)
}
check "make deb builds it again in another folder, with another umask, time zone and locale" rebuild
# Where they differ, what differs: the files, then their names, modes and times.
samebytes() {
  cmp -s "$1" "$2" && return
  dpkg-deb -R "$1" "$work/first" && dpkg-deb -R "$2" "$work/second"
  diff -rq "$work/first" "$work/second"
  diff <(dpkg-deb -c "$1") <(dpkg-deb -c "$2")
  return 1
}
check "to the same bytes: $(sha256sum <"$deb" | cut -c 1-16)…" samebytes "$deb" "$(ls "$work"/elsewhere/build/hollowmint_*.deb)"
summary
