#!/usr/bin/env bash
# The real game as a player meets it: start-up, the window, keys, the countdown, a larger window.
# Each check waits for the state it needs, and the countdown is timed by what the screen shows.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
. "$(dirname "$0")/harness.sh"
game=$1
startx

check "the window opens" startgame "$game" "$PWD" || summary # the probes below need the window
geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width/{w=$NF} /Height/{h=$NF} END{print x, y, w, h}')
check "320 x 240 at (320, 240): $geometry" test "$geometry" = "320 240 320 240"
check "the hundred progress lines come first, in order" progressfirst

barbelow() { [ "$(bar)" -lt "$1" ]; }
barabove() { [ "$(bar)" -gt "$1" ]; }
still() { local at; at=$(field); sleep 0.3; [ "$(field)" = "$at" ]; }
# Nothing moves and five seconds of the round are left: a change now is a key's doing.
settled() { barabove 150 && still; }
fieldisnot() { [ "$(field)" != "$1" ]; }

# The bar reads 31.2 pixels a second of the countdown, less 2. When did the round on screen begin?
# The earliest and the latest time it can have, as a look at the screen takes time of its own; then the bar.
began() {
  local from=$EPOCHREALTIME reading
  reading=$(bar)
  awk -v from="$from" -v to="$EPOCHREALTIME" -v bar="$reading" 'BEGIN {
    age = 10 - (bar + 2) / 31.2; pixel = 1 / 31.2
    printf "%.3f %.3f %d\n", from - age - pixel, to - age + pixel, bar }'
}

# Looks until the bar rises, as only a new round makes it, and prints that look's began().
nextround() {
  local limit=$((SECONDS + $1)) last=$2 line
  while [ $SECONDS -lt $limit ]; do
    line=$(began)
    [ "${line##* }" -gt "$last" ] && echo "$line" && return
    last=${line##* }
  done
  return 1
}

check "the countdown bar shrinks below 290 of 310" within 30 barbelow 290

# On a loaded machine a look at the screen can take seconds, and a round may run out before the
# look that shows it going on: such a try proves nothing either way and is made again, up to three.
running() { barbelow "$full" && ! fieldisnot "$before"; }
kept=no
for _ in 1 2 3; do
  within 60 settled # a platform character falls until it lands
  full=$(bar) before=$(field)
  xdotool key a q space Return BackSpace
  within 10 running && kept=yes && break
done
check "ordinary keys leave the round running: the bar below $full on the same field" test $kept = yes

# Insert begins a new round before the old one could have run out. By their bars, the new round's
# latest beginning comes before ten seconds after the old one's earliest: no time-out can do that.
# The looks' own time is in those bounds, so neither slow looks nor a slow round setup decide it.
# A round completed meanwhile, by a fall onto its goal, or left undecided, is tried again.
insertrefills() {
  local old last line new
  read -r old _ last <<<"$(began)"
  xdotool key Insert
  line=$(nextround 10 "$last") || { echo "no new round"; return; }
  read -r _ new _ <<<"$line"
  # A round's first frame can be slow to show; the next look bounds its beginning more closely.
  read -r _ again _ <<<"$(began)"
  awk -v old="$old" -v new="$new" -v again="$again" 'BEGIN {
    if (again < new) new = again
    printf "%.2f", old + 10 - new }'
}
beforetimeout() { awk -v left="$1" 'BEGIN { exit !(left + 0 > 0) }'; }
midround() { barabove 150 && barbelow 250; }
for _ in 1 2 3; do
  within 60 midround
  done=$(completions) before=$(field) points=$(counter)
  left=$(insertrefills)
  [ "$(completions)" -eq "$done" ] && beforetimeout "$left" && break
done
check "Insert begins a new round $left s before the old one could have run out" beforetimeout "$left"
check "Insert lays out another field" fieldisnot "$before"
check "Insert leaves the counter as it was: $done, then $(completions) completed" \
  test "$(counter)" = "$points" -a "$(completions)" -eq "$done"

moved=no
for arrow in Right Left Up; do
  within 60 settled
  at=$(field)
  xdotool keydown "$arrow"
  within 3 fieldisnot "$at" && moved=yes
  xdotool keyup "$arrow"
  [ $moved = yes ] && break
done
check "a held arrow moves or turns the character" test $moved = yes
check "releasing it stops the character" within 10 still # a jump lands first

# No key: the round runs out ten seconds after it began, as the bar tells at its two refills,
# give or take a frame. A round the character completes by falling is tried again.
for _ in 1 2 3; do
  xdotool key Insert
  within 10 barabove 290
  read -r first last reading <<<"$(began)"
  done=$(completions) points=$(counter) before=$(field)
  read -r next nextlast _ <<<"$(nextround 20 "$reading")"
  [ "$(completions)" -eq "$done" ] && break
done
lasted=$(awk -v a="$first" -v b="$last" -v c="$next" -v d="$nextlast" 'BEGIN { printf "%.2f %.2f", c - b - 0.25, d - a + 0.25 }')
read -r shortest longest <<<"$lasted"
check "the round times out after ten seconds: between $shortest and $longest s" \
  awk -v shortest="$shortest" -v longest="$longest" 'BEGIN { exit !(shortest <= 10 && 10 <= longest) }'
check "the time-out lays out another field" fieldisnot "$before"
check "a time-out gives no point: $done, then $(completions) completed" test "$(counter)" = "$points" -a "$(completions)" -eq "$done"

xdotool windowsize "$window" 480 360
samecounter() { [ "$(height)" -eq 360 ] && [ "$(counter)" = "$points" ]; }
check "a larger window: the counter stays 220 units up, unscaled" within 10 samecounter
backgroundtopright() { [ "$(grab 1 1 470 10)" = "$(grab 1 1 479 0)" ]; }
check "a larger window shows background at its top right" within 10 backgroundtopright

quit
check "Esc ends the game with status 0: $status" test "$status" -eq 0
check "nothing printed but the game's lines" saysnomore

startgame "$game" "$PWD"
quit
check "Esc in the first second ends the game with status 0: $status" test "$status" -eq 0
summary
