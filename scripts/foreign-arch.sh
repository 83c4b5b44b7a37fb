#!/usr/bin/env bash
# Lets this machine run another architecture's programs: qemu-user-static registered with
# binfmt_misc, mounting binfmt_misc first when it is missing.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
set -euo pipefail
arch=$1
qemu=$(dpkg-architecture -a "$arch" -q DEB_HOST_GNU_CPU 2>/dev/null)
case $qemu in i?86) qemu=i386 ;; esac # qemu's name for it, not the GNU one
"$(dirname "$0")/install-deps.sh" foreign
binfmt=/proc/sys/fs/binfmt_misc
if ! mountpoint -q "$binfmt" && ! mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null; then
  echo "fresh-test: $arch needs binfmt_misc, which this machine does not let us mount at $binfmt" >&2
  exit 1
fi
update-binfmts --enable "qemu-$qemu" 2>/dev/null || true
# Debian ships no entry for i386 on an amd64 machine, which is expected to run it itself.
if [ ! -f "$binfmt/qemu-$qemu" ] && [ "$qemu" = i386 ]; then
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo "fresh-test: registering qemu-i386-static for i386 programs, as Debian ships no entry here"
  echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" >"$binfmt/register"
fi
if [ ! -f "$binfmt/qemu-$qemu" ] || ! grep -qx enabled "$binfmt/qemu-$qemu"; then
  echo "fresh-test: qemu-user-static is not registered for $arch ($qemu)" >&2
  exit 1
fi
