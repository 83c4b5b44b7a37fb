#!/usr/bin/env bash
# The real game as a player meets it: start-up, the window, keys, the countdown, a larger window.
. "$(dirname "$0")/harness.sh"
game=$1
startx

check "the window opens" startgame "$game" "$PWD" || summary # the probes below need the window
geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width/{w=$NF} /Height/{h=$NF} END{print x, y, w, h}')
check "320 x 240 at (320, 240): $geometry" test "$geometry" = "320 240 320 240"
check "the hundred progress lines come first, in order" progressfirst

sleep 1.5 # a platform character falls until it lands
full=$(bar)
xdotool key a q space Return BackSpace
sleep 0.3
check "ordinary keys leave the round running: bar $full, then $(bar)" test "$(bar)" -lt "$full"
check "the countdown bar shrinks: $full of 310 left" test "$full" -lt 290

# A round that the character completes meanwhile, by falling onto its goal, is tried again.
for _ in 1 2 3; do
  done=$(completions) before=$(field) points=$(counter)
  xdotool key Insert
  sleep 0.1
  [ "$(completions)" -eq "$done" ] && break
done
check "Insert fills the bar again: $(bar)" test "$(bar)" -gt 295
check "Insert lays out another field" test "$(field)" != "$before"
check "Insert leaves the counter as it was: $done, then $(completions) completed" \
  test "$(counter)" = "$points" -a "$(completions)" -eq "$done"

sleep 1.5
still=$(field)
moved=no
for arrow in Right Left Up; do
  xdotool keydown "$arrow"
  sleep 0.3
  [ "$(field)" != "$still" ] && moved=yes
  xdotool keyup "$arrow"
  sleep 1.5 # a platform character falls back
  [ $moved = yes ] && break
  still=$(field)
done
check "a held arrow moves or turns the character" test $moved = yes
at=$(field)
sleep 0.3
check "releasing it stops the character" test "$(field)" = "$at"

# No key for ten seconds: the round runs out. A round the character completes by falling is tried again.
for _ in 1 2 3; do
  xdotool key Insert
  sleep 0.1
  done=$(completions) points=$(counter) before=$(field)
  sleep 10.2
  [ "$(completions)" -eq "$done" ] && break
done
check "after ten seconds the round times out: bar $(bar)" test "$(bar)" -gt 200
check "the time-out lays out another field" test "$(field)" != "$before"
check "a time-out gives no point: $done, then $(completions) completed" test "$(counter)" = "$points" -a "$(completions)" -eq "$done"

xdotool windowsize "$window" 480 360
sleep 0.5
check "a larger window: the counter stays 220 units up, unscaled" test "$(counter)" = "$points"
background=$(grab 1 1 479 0)
check "a larger window shows background at its top right" test "$(grab 1 1 470 10)" = "$background"

quit
check "Esc ends the game with status 0: $status" test "$status" -eq 0
check "nothing printed but the game's lines" saysnomore

startgame "$game" "$PWD"
quit
check "Esc in the first second ends the game with status 0: $status" test "$status" -eq 0
summary
