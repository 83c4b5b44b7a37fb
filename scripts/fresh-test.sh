#!/usr/bin/env bash
# make fresh-test: the README's test command on a fresh minimal Debian tree of a release, as a
# newcomer's machine runs it, on what is committed here.
set -euo pipefail
release=${1:-}
if [[ ! $release =~ ^[a-z]+$ ]]; then
  echo "fresh-test: RELEASE must be a Debian code name, such as trixie or bookworm" >&2
  exit 1
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "fresh-test: needs root, to build a Debian tree and mount into it" >&2
  exit 1
fi
scripts=$(realpath "$(dirname "$0")")
project=$(dirname "$scripts")
trees=$project/build-fresh
tree=$trees/$release pristine=$trees/$release.tar archives=$trees/$release-archives
"$scripts/install-deps.sh" debootstrap

# The archive that this machine's own apt names for its release serves the others too.
mirror() {
  local codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Identifier: Packages' |
    awk -v release="$codename" '$2 == release { print $1; exit }'
}

# The tree is made once and kept as a tarball, so that every run starts from it untouched.
if [ ! -f "$pristine" ]; then
  uri=$(mirror)
  [ -n "$uri" ] || { echo "fresh-test: this machine's apt sources name no Debian archive" >&2; exit 1; }
  rm -rf --one-file-system "$tree"
  debootstrap --variant=minbase --include=make "$release" "$tree" "$uri"
  tar -C "$tree" --numeric-owner -cf "$pristine.part" .
  mv "$pristine.part" "$pristine"
fi
rm -rf --one-file-system "$tree"
mkdir -p "$tree" "$archives"
tar -C "$tree" --numeric-owner -xf "$pristine"
git clone --quiet "$project" "$tree/root/hollowmint"

# Namespaces of its own: however the run ends, its processes end with it and every mount goes.
start=$SECONDS status=0
unshare --mount --propagation private --pid --fork --kill-child \
  "$scripts/enter-tree.sh" "$tree" "$archives" \
  /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  sh -c 'cd /root/hollowmint && make test' || status=$?
took=$((SECONDS - start))
verdict=passed
[ $status -eq 0 ] || verdict="failed (status $status)"
echo "fresh-test: make test on Debian $release $verdict in $((took / 60)) min $((took % 60)) s"
exit $status
