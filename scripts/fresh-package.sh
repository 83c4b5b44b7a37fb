#!/usr/bin/env bash
# make fresh-test's player: in a fresh Debian tree, apt installs the package with what it needs and
# no compiler, over the last release's package where one is given, and an ordinary user starts
# hollowmint from / on an X server of this machine; then apt purges it and nothing of it is left.
# Run it in a mount and PID namespace of its own, as enter-tree.sh asks. A fourth argument, such as
# GALLIUM_DRIVER=softpipe, goes into the player's environment; a fifth is the last release's package.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
set -uo pipefail # no -e: every check runs and is counted, as in the play tests
tree=$(realpath "$1") archives=$(realpath "$2") deb=$(realpath "$3") renderer=${4:-} old=${5:-}
scripts=$(realpath "$(dirname "$0")")
. "$scripts/../tests/harness.sh"
intree() { "$scripts/enter-tree.sh" "$tree" "$archives" "$@"; }

installdeb() {
  cp "$1" "$tree/tmp/"
  intree sh -c "apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/$(basename "$1")" >/dev/null
}
installed() { intree dpkg-query -W -f '${Version}' hollowmint; }
if [ -n "$old" ]; then
  check "apt-get install ./$(basename "$old") installs the last release" installdeb "$old"
fi
check "apt-get install ./$(basename "$deb") installs it with what it needs" installdeb "$deb"
check "hollowmint $(installed) is installed" test "$(installed)" = "$(dpkg-deb -f "$deb" Version)"
compilers=$(intree dpkg-query -W -f '${Package}\n' | grep -E '^(gcc|g\+\+|cpp|clang)(-[0-9.]+)?$' | tr '\n' ' ')
check "and no compiler: ${compilers:-none}" test -z "$compilers"

# A player of their own, whose login shell has the games folders on PATH.
intree useradd --create-home --shell /bin/bash player
startx
if check "the user starts hollowmint from /" startgame "$(command -v chroot)" / "$tree" \
     su --login player --command "cd / && DISPLAY=$DISPLAY $renderer exec hollowmint"; then
  check "it loads its hundred tiles" progressfirst
  # The first frame may come a moment after the last progress line.
  check "its pictures show: the counter's digits are lit" within 30 lit
  quit
  check "Esc ends it with status 0: $status" test "$status" -eq 0
fi

# Every file it installed goes, and every folder that no other package holds.
intree dpkg-query -L hollowmint | grep -v -x "/\." >"$work/files"
purge() { intree sh -c "DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq hollowmint" >/dev/null; }
left() {
  while read -r path; do
    [ -e "$tree$path" ] || continue
    [ -d "$tree$path" ] && intree dpkg-query -S "$path" >/dev/null 2>&1 && continue
    echo "$path"
  done <"$work/files"
}
check "apt-get purge removes it" purge
check "and leaves nothing of it: $(left | tr '\n' ' ')" test -z "$(left)"
summary
