#!/usr/bin/env bash
# make uninstall: removes what the last cmake --install from this build put in place, as its
# manifest lists it (under DESTDIR, if given), and the game's own folders once they are empty.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
set -euo pipefail
manifest=$1
if [ ! -f "$manifest" ]; then
  echo "uninstall: no $manifest: nothing was installed from this build" >&2
  exit 1
fi
while IFS= read -r installed || [ -n "$installed" ]; do # its last line has no line end
  file=${DESTDIR:-}$installed
  rm -fv -- "$file"
  folder=$(dirname "$file")
  [ "$(basename "$folder")" != hollowmint ] || rmdir --ignore-fail-on-non-empty -- "$folder"
done <"$manifest"
