# harness.sh -- sourced by the play tests: the real game on an X server of its own, real keys, screenshots.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
set -u
work=$(mktemp -d)
xpid= gamepid= window= status=
passed=0 failed=0
case ${ASAN_OPTIONS:-} in
  *detect_leaks=0*) echo "leak detection off: Mesa's software driver leaves ~300 KB in a nameless module" ;;
esac

finish() {
  [ -n "$gamepid" ] && kill "$gamepid" 2>/dev/null
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null && wait "$xpid" 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT

check() { # what, then a command that must succeed; fails as it does
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
    passed=$((passed + 1))
  else
    echo "FAILED: $what"
    failed=$((failed + 1))
    return 1
  fi
}

summary() {
  echo "$(basename "$0" .sh): $passed passed, $failed failed"
  exit $((failed > 0))
}

# Xvfb picks a free display and writes its number once it takes connections. Nothing runs without one.
startx() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb" &
  xpid=$!
  within 60 xsettled
  if ! grep -q . "$work/display"; then
    echo "FAILED: Xvfb did not start: $(tail -n 1 "$work/xvfb")"
    exit 1
  fi
  export DISPLAY=:$(head -n 1 "$work/display")
}
xsettled() { grep -q . "$work/display" || ! kill -0 "$xpid" 2>/dev/null; } # serving, or gone

# Polls a command until it succeeds, for up to a generous number of seconds, so that no check
# assumes the machine's speed; fails if it never does.
within() { # seconds, then the command
  local until=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $until ] || return 1
    sleep 0.1
  done
}

# The project's own files, as a release tarball holds them: no build folders, no git.
sourcecopy() { # the project's folder, a new folder
  mkdir -p "$2" && tar -C "$1" --exclude=./.git --exclude='./build*' -cf - . | tar -C "$2" -xf -
}

loaded() { [ "$(wc -l <"$work/out")" -ge 100 ]; }

startgame() { # the program, the folder it runs in, then the program's arguments
  local program folder=$2
  program=$(realpath "$1")
  shift 2
  (cd "$folder" && exec "$program" "$@" >"$work/out" 2>"$work/err") &
  gamepid=$!
  window=$(timeout 60 xdotool search --sync --name '^Hollowmint$' | head -n 1)
  [ -n "$window" ] || return 1
  # The window opens before the strip loads: start-up ends with the hundredth progress line.
  within 60 loaded
  xdotool windowfocus --sync "$window" 2>/dev/null
}

# Esc, then the program's exit status in $status; the window is gone before the key's release. A game
# still running a minute later is killed.
quit() {
  xdotool key Escape 2>/dev/null
  if ! within 60 ended; then
    echo "the game was still running 60 s after Esc: killed"
    kill -KILL "$gamepid"
  fi
  wait "$gamepid"
  status=$?
  gamepid=
}
# A child that has ended stays a zombie (state Z) until it is waited for.
ended() {
  local state
  { read -r _ _ state _ <"/proc/$gamepid/stat"; } 2>/dev/null || return 0
  [ "$state" = Z ]
}

progressfirst() { # the hundred progress lines, in order, before anything else
  seq 1 100 | sed 's/.*/Please wait...Texture & of 100 loading/' >"$work/progress"
  cmp -s "$work/progress" <(head -n 100 "$work/out")
}

saysnomore() { # nothing after the progress lines but the game's own, nothing on standard error
  [ -z "$(tail -n +101 "$work/out" | grep -v -x -e collected -e completed)" ] && [ ! -s "$work/err" ]
}

completions() { grep -c -x completed "$work/out"; }

# Raw RGB of a part of the window: width, height, left, top.
grab() { import -window "$window" -crop "$1x$2+$3+$4" +repage -depth 8 rgb:- 2>/dev/null | md5sum; }

field() { grab 320 200 0 "$(( $(height) - 220 ))"; } # between the bar and the counter
# The counter's white segments alone, one 0 or 1 a pixel, read inside each digit's dark plate, where
# nothing else is as bright.
segments() {
  import -window "$window" -crop "144x16+2+$(( $(height) - 236 ))" +repage -depth 8 rgb:- 2>/dev/null |
    od -An -v -tu1 | tr -s ' ' '\n' | awk 'NF {
      c[n++ % 3] = $1
      if (n % 3) next
      p = n / 3 - 1; x = p % 144 % 16; y = int(p / 144)
      if (x >= 2 && x <= 13 && y >= 1 && y <= 14) printf "%d", (c[0] >= 250 && c[1] >= 250 && c[2] >= 250)
    }'
}
counter() { segments | md5sum; }
lit() { [ "$(segments | tr -cd 1 | wc -c)" -gt 0 ]; } # any of the counter's segments
height() { xwininfo -id "$window" | awk '/Height/{print $NF}'; }

# How far the countdown bar's white run reaches from x = 4, 12 pixels above the bottom edge.
bar() {
  import -window "$window" -crop "320x1+0+$(( $(height) - 12 ))" +repage -colorspace gray -depth 8 gray:- 2>/dev/null |
    od -An -v -tu1 | tr -s ' ' '\n' | awk 'NF { x++; if (x > 4) { if ($1 < 250) exit; run++ } } END { print run + 0 }'
}
