#!/usr/bin/env bash
# A minute's storm of random arrows, Insert and ordinary keys: the game keeps running, the
# character stays on the field (read from the running program with gdb), and Esc still ends it.
. "$(dirname "$0")/harness.sh"
game=$1
seconds=60
startx
check "the window opens" startgame "$game" "$PWD" || summary # the probes below need the window

onfield() { # the character's centre, read from the running program
  local at
  at=$(gdb -p "$gamepid" -batch -ex 'printf "%f %f\n", character.movement.x, character.movement.y' 2>/dev/null | grep -E '^-?[0-9.]+ -?[0-9.]+$' | tail -n 1)
  echo "character at $at"
  awk -v at="$at" 'BEGIN { split(at, p, " "); exit !(at != "" && p[1] >= 0 && p[1] <= 320 && p[2] >= 0 && p[2] <= 240) }'
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
