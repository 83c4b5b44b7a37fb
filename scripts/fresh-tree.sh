#!/usr/bin/env bash
# Lays out a fresh minimal Debian tree of a release and an architecture in a folder, from a pristine
# tarball that it makes once with debootstrap and keeps beside the folder.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
set -euo pipefail
release=$1 arch=$2 tree=$3
pristine=$(dirname "$tree")/$release-$arch.tar.gz # gzipped, as piuparts takes it

# The archive that this machine's own apt names for its release serves the others too.
mirror() {
  local codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Identifier: Packages' |
    awk -v release="$codename" '$2 == release { print $1; exit }'
}

# A release too new for this machine's debootstrap, such as the next testing, is made as sid is.
script() {
  local scripts=/usr/share/debootstrap/scripts
  if [ -e "$scripts/$release" ]; then echo "$scripts/$release"; else echo "$scripts/sid"; fi
}

# A snapshot archive keeps a development release's Release file past its Valid-Until date, which apt
# then refuses; only there is the tree's apt told to accept it. Stable releases carry no such date.
acceptexpired() {
  local released suite until
  released=$(ls "$tree"/var/lib/apt/lists/*_dists_"${release}"_Release)
  suite=$(sed -n 's/^Suite: //p' "$released")
  until=$(sed -n 's/^Valid-Until: //p' "$released")
  case $suite in unstable | testing) ;; *) return 0 ;; esac
  [ -n "$until" ] && [ "$(date -d "$until" +%s)" -lt "$(date +%s)" ] || return 0
  echo "fresh-tree: $release's Release file expired on $until: this snapshot's apt accepts it"
  echo 'Acquire::Check-Valid-Until "false"; // a snapshot archive of a development release' \
    >"$tree/etc/apt/apt.conf.d/99snapshot"
}

if [ ! -f "$pristine" ]; then
  uri=$(mirror)
  [ -n "$uri" ] || { echo "fresh-tree: this machine's apt sources name no Debian archive" >&2; exit 1; }
  rm -rf --one-file-system "$tree"
  debootstrap --variant=minbase --include=make --arch="$arch" "$release" "$tree" "$uri" "$(script)"
  acceptexpired
  tar -C "$tree" --numeric-owner -czf "$pristine.part" .
  mv "$pristine.part" "$pristine"
fi
rm -rf --one-file-system "$tree"
mkdir -p "$tree"
tar -C "$tree" --numeric-owner -xzf "$pristine"
