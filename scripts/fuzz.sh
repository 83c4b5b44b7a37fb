#!/usr/bin/env bash
# make fuzz: the strip loader's fuzz target for some seconds on an X server of its own. Every crash it
# finds is kept in tests/fuzz/regressions, which make test replays.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
set -euo pipefail
fuzzer=$(realpath "$1")
seconds=$2
cd "$(dirname "$0")/.."
fuzz=tests/fuzz
. tests/harness.sh
startx
mkdir -p "$work/corpus" "$work/found" "$fuzz/regressions"

# New inputs go to the first folder, so the kept corpus stays as committed. A crash ends the run, and
# so does a picture that takes ten seconds: at start-up the game loads it a hundred times.
status=0
started=$SECONDS
ASAN_OPTIONS=detect_leaks=0 timeout $((seconds + 600)) "$fuzzer" -max_total_time="$seconds" -timeout=10 \
  -print_final_stats=1 -dict="$fuzz/strips.dict" -artifact_prefix="$work/found/" \
  "$work/corpus" "$fuzz/corpus" "$fuzz/regressions" >"$work/log" 2>&1 || status=$?

crashes=0
for found in "$work"/found/*; do
  [ -e "$found" ] || continue
  cp "$found" "$fuzz/regressions/"
  echo "fuzz: kept $fuzz/regressions/$(basename "$found")"
  crashes=$((crashes + 1))
done
[ "$status" -eq 0 ] || grep -A 30 -m 1 -E '^==[0-9]+== ?ERROR' "$work/log" || tail -n 30 "$work/log"
executions=$(awk '/stat::number_of_executed_units:/ { print $2 }' "$work/log")
echo "fuzz: ${executions:-0} executions in $((SECONDS - started)) s, $crashes crashes"
[ "$status" -eq 0 ] && [ "$crashes" -eq 0 ]
