#!/usr/bin/env bash
# Lays out a fresh minimal Debian tree of a release and an architecture in a folder, from a pristine
# tarball that it makes once with debootstrap and keeps beside the folder.
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

if [ ! -f "$pristine" ]; then
  uri=$(mirror)
  [ -n "$uri" ] || { echo "fresh-tree: this machine's apt sources name no Debian archive" >&2; exit 1; }
  rm -rf --one-file-system "$tree"
  debootstrap --variant=minbase --include=make --arch="$arch" "$release" "$tree" "$uri"
  tar -C "$tree" --numeric-owner -czf "$pristine.part" .
  mv "$pristine.part" "$pristine"
fi
rm -rf --one-file-system "$tree"
mkdir -p "$tree"
tar -C "$tree" --numeric-owner -xzf "$pristine"
