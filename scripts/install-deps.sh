#!/usr/bin/env bash
# Installs the Debian packages that the jobs named as arguments need, when they are missing:
# play (building and playing, the default), test, bench, fuzz, screenshot, zink, fresh and foreign. Where
# there is no apt, it installs nothing and names what they need by upstream names.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
set -euo pipefail

declare -A needs=(
  [play]="build-essential file cmake pkg-config libglut-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev libdevil-dev"
  [test]="googletest libgtest-dev libxtst-dev xvfb xauth xdotool x11-utils imagemagick desktop-file-utils groff-base lintian reuse appstream"
  [bench]="libxtst-dev xvfb xauth x11-utils mesa-utils valgrind imagemagick"
  [fuzz]="clang libclang-rt-dev xvfb xauth"
  [screenshot]="xvfb xauth xdotool x11-utils imagemagick"
  # make test GL=zink: Mesa's Vulkan drivers, lavapipe among them, for zink to draw on
  [zink]="mesa-vulkan-drivers"
  # make fresh-test: the trees, the package's install-and-purge check, the archive of the old package
  # for its upgrade, and the X server that the installed game shows on; foreign: running another
  # architecture's tree
  [fresh]="debootstrap arch-test piuparts dpkg-dev xvfb xauth xdotool x11-utils imagemagick"
  [foreign]="qemu-user-static binfmt-support"
)
# The same needs by their upstream names, for machines where apt is not the way.
declare -A upstream=(
  [play]="CMake 3.21, a C++17 compiler, freeglut, GLU, OpenGL with GLX, Xlib, DevIL with ILU and ILUT"
  [test]="GoogleTest, libXtst, Xvfb, xdotool, xwininfo, ImageMagick, desktop-file-utils, groff, AppStream, REUSE"
  [bench]="libXtst, Xvfb, xwininfo, glxinfo, Valgrind, ImageMagick"
  [fuzz]="Clang with libFuzzer, Xvfb"
  [screenshot]="Xvfb, xdotool, xwininfo, ImageMagick"
  [zink]="Mesa's lavapipe"
  [fresh]="debootstrap, piuparts, dpkg-dev, Xvfb, xdotool, ImageMagick"
  [foreign]="qemu-user-static, binfmt-support"
)
[ $# -gt 0 ] || set -- play

packages=() named=
for job in "$@"; do
  [ -n "${needs[$job]:-}" ] || { echo "install-deps: no such job: $job (${!needs[*]})" >&2; exit 1; }
  read -r -a listed <<<"${needs[$job]}"
  packages+=("${listed[@]}")
  named="${named:+$named; }$job: ${upstream[$job]}"
done

if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
  echo "install-deps: no apt here, so it installs nothing. Needed, by upstream names: $named"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
read -r -a missing <<<"$(printf '%s\n' "${missing[@]}" | sort -u | tr '\n' ' ')"

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
