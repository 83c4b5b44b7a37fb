#!/usr/bin/env bash
# make fresh-test's player: in a fresh Debian tree, apt installs the package with what it needs and
# no compiler, and an ordinary user starts hollowmint from / on an X server of this machine.
# Run it in a mount and PID namespace of its own, as enter-tree.sh asks. A fourth argument, such as
# GALLIUM_DRIVER=softpipe, goes into the player's environment.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
set -uo pipefail # no -e: every check runs and is counted, as in the play tests
tree=$(realpath "$1") archives=$(realpath "$2") deb=$(realpath "$3") renderer=${4:-}
scripts=$(realpath "$(dirname "$0")")
. "$scripts/../tests/harness.sh"
intree() { "$scripts/enter-tree.sh" "$tree" "$archives" "$@"; }

cp "$deb" "$tree/tmp/"
installdeb() {
  intree sh -c "apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/$(basename "$deb")" >/dev/null
}
check "apt-get install ./$(basename "$deb") installs it with what it needs" installdeb
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
summary
