#!/usr/bin/env bash
# The real game on an X server of its own, played with real keys: start-up lines, window, Esc.
set -u
game=$1
work=$(mktemp -d)
xpid= gamepid=
finish() {
  [ -n "$gamepid" ] && kill "$gamepid" 2>/dev/null
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null && wait "$xpid" 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT
passed=0 failed=0
check() { # what, then a command that must succeed
  local what=$1; shift
  if "$@"; then echo "ok: $what"; passed=$((passed + 1)); else echo "FAILED: $what"; failed=$((failed + 1)); fi
}

# Xvfb picks a free display and writes its number, once it takes connections.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xpid=$!
for _ in $(seq 100); do grep -q . "$work/display" 2>/dev/null && break; sleep 0.05; done
export DISPLAY=:$(head -n 1 "$work/display")

"$game" >"$work/out" 2>"$work/err" &
gamepid=$!
window=$(timeout 20 xdotool search --sync --name '^Hollowmint$' | head -n 1)
check "the window opens" test -n "$window"
geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width/{w=$NF} /Height/{h=$NF} END{print x, y, w, h}')
check "320 x 240 at (320, 240): $geometry" test "$geometry" = "320 240 320 240"
sleep 0.5
seq 1 100 | sed 's/.*/Please wait...Texture & of 100 loading/' >"$work/progress"
check "the hundred progress lines come first, in order" cmp -s "$work/progress" <(head -n 100 "$work/out")

# The countdown bar, 12 pixels above the bottom edge: how far its white run reaches from x = 4.
bar() {
  import -window "$window" -crop 320x1+0+228 +repage -colorspace gray -depth 8 gray:- 2>/dev/null |
    od -An -v -tu1 | tr -s ' ' '\n' | awk 'NF { x++; if (x > 4) { if ($1 < 250) exit; run++ } } END { print run + 0 }'
}
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key a q space
check "ordinary keys leave the game running" kill -0 "$gamepid"
sleep 2
before=$(bar)
check "the countdown bar shrinks: $before of 310 left" test "$before" -lt 290
xdotool key Insert
sleep 0.1
after=$(bar)
check "Insert fills the bar again: $after" test "$after" -gt 295

xdotool key Escape 2>/dev/null # the window is gone before the key's release
wait "$gamepid"
status=$?
gamepid=
check "Esc ends the game with status 0: $status" test "$status" -eq 0
check "nothing but game lines after them" test -z "$(tail -n +101 "$work/out" | grep -v -x -e collected -e completed)"
check "nothing on standard error" test ! -s "$work/err"
echo "play: $passed passed, $failed failed"
exit $((failed > 0))
