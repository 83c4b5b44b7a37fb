#!/usr/bin/env bash
# A minute's storm of random arrows, Insert and ordinary keys: the game keeps running, the
# character stays on the field (where the game draws it, as a preloaded probe reads it from the
# game's own GL calls), and Esc still ends it.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
. "$(dirname "$0")/harness.sh"
game=$1 probe=$2
seconds=60
startx
centre=$work/centre
# AddressSanitizer's runtime wants to be the first library in the process; the probe comes first.
check "the window opens" startgame "$(command -v env)" "$PWD" LD_PRELOAD="$probe" HOLLOWMINT_PROBE="$centre" \
  ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0" "$game" || summary # the probes below need the window

onfield() {
  local at
  at=$(od -An -tf4 "$centre" 2>/dev/null)
  echo "character at" $at
  awk -v at="$at" 'BEGIN { n = split(at, p, " "); exit !(n == 2 && p[1] >= 0 && p[1] <= 320 && p[2] >= 0 && p[2] <= 240) }'
}

# One key event a line, from a fixed seed so that every run storms alike.
LC_ALL=C awk -v n=$((seconds * 200)) 'BEGIN {
  srand(11)
  split("Left Up Right Down", arrows)
  split("Insert a space Return z Tab", others)
  for (i = 0; i < n; i++) {
    r = rand()
    if (r < 0.45) print "keydown " arrows[int(rand() * 4) + 1]
    else if (r < 0.85) print "keyup " arrows[int(rand() * 4) + 1]
    else print "key " others[int(rand() * 6) + 1]
  }
}' >"$work/storm"

end=$((SECONDS + seconds)) sampled=0 offfield=0
while [ $SECONDS -lt $end ] && read -r action key; do
  xdotool "$action" "$key" 2>/dev/null
  if [ $((SECONDS / 10)) -gt $sampled ]; then
    sampled=$((SECONDS / 10))
    onfield || offfield=$((offfield + 1))
  fi
done <"$work/storm"
check "still running after the storm" kill -0 "$gamepid"
check "the character stayed on the field at every look" test $offfield -eq 0 -a $sampled -gt 0
for arrow in Left Up Right Down; do xdotool keyup $arrow; done
quit
check "Esc ends it with status 0: $status" test "$status" -eq 0
check "nothing printed but the game's lines" saysnomore
summary
