#!/usr/bin/env bash
# Runs a command as root in a Debian tree, with /proc, /sys, /dev and a kept apt cache mounted.
# Run it in a mount namespace of its own (unshare --mount), where the mounts end with it; a second
# call in the same namespace finds them in place.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
set -euo pipefail
tree=$1 archives=$2
shift 2
if ! mountpoint -q "$tree/proc"; then
  mount -t proc proc "$tree/proc"
  mount --rbind /sys "$tree/sys"
  mount --rbind /dev "$tree/dev" # /dev/pts and /dev/shm come with it
  mount --bind "$archives" "$tree/var/cache/apt/archives"
  cp /etc/resolv.conf "$tree/etc/resolv.conf"
fi
exec chroot "$tree" "$@"
