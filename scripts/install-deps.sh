#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the game need, or those given
# as arguments, when missing.
set -euo pipefail

packages=(build-essential cmake pkg-config libglut-dev libglu1-mesa-dev libgl1-mesa-dri libdevil-dev
          googletest libgtest-dev xvfb xauth xdotool x11-utils mesa-utils imagemagick gdb valgrind
          desktop-file-utils groff-base)
[ $# -eq 0 ] || packages=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then sudo=(sudo); else
    echo "install-deps: missing packages: ${missing[*]}; run as root, or: apt-get install ${missing[*]}" >&2
    exit 1
  fi
else
  sudo=()
fi
echo "install-deps: installing ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
