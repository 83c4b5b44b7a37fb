#!/usr/bin/env bash
# make fresh-test: the README's test command on a fresh minimal Debian tree of a release and an
# architecture, as a newcomer's machine runs it, on what is committed here, and again by an ordinary
# user without apt; then the package that it builds, built again there from the release tarball,
# installed and played in a second fresh tree, and installed and purged by piuparts; and both an
# upgrade from the last release before it.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
set -euo pipefail
release=${1:-} arch=${2:-}
native=$(dpkg --print-architecture)
arch=${arch:-$native}
if [[ ! $release =~ ^[a-z]+$ ]]; then
  echo "fresh-test: RELEASE must be a Debian code name, such as trixie or bookworm" >&2
  exit 1
fi
if [[ ! $arch =~ ^[a-z0-9]+$ ]]; then
  echo "fresh-test: ARCH must be a Debian architecture, such as amd64 or arm64" >&2
  exit 1
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "fresh-test: needs root, to build a Debian tree and mount into it" >&2
  exit 1
fi
scripts=$(realpath "$(dirname "$0")")
project=$(dirname "$scripts")
trees=$project/build-fresh
name=$release-$arch
archives=$trees/$name-archives
"$scripts/install-deps.sh" fresh
# The kernel may run the architecture itself, as most amd64 kernels run i386; if not, qemu-user does.
emulated=no
arch-test -n "$arch" >/dev/null 2>&1 || emulated=yes
[ $emulated = no ] || "$scripts/foreign-arch.sh" "$arch"
mkdir -p "$archives"

# Namespaces of its own: however a step ends, its processes end with it and every mount goes.
isolated() { unshare --mount --propagation private --pid --fork --kill-child "$@"; }
asroot() { # a root login's clean environment in the tree, then a command line for sh
  isolated "$scripts/enter-tree.sh" "$1" "$archives" \
    /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin sh -c "$2"
}
# make dist of the clone, here where git is, then make deb from that tarball in the tree, where git is
# not: the same package, byte for byte.
fromtarball() {
  local clone=$tree/root/hollowmint tarball folder
  tarball=$(make -C "$clone" dist) || return 1
  folder=$(basename "$tarball" .tar.gz)
  asroot "$tree" "! command -v git >/dev/null && cd /root && tar -xzf hollowmint/$tarball &&
    cd $folder && make deb >/dev/null && cmp build/*.deb /root/hollowmint/build/*.deb"
}
# The last release before the package built here, as the changelog names it, with its header.
previousrelease() {
  awk -v built="$1" '/^hollowmint \(/ && $3 != "UNRELEASED;" {
    name = substr($2, 2, length($2) - 2); if (name != built) { print name, $1, $2, $3; exit } }' "$project/doc/changelog"
}
# The commit that wrote that header, as the release test finds it: tags don't travel with the branch.
# None where the history stops short of it, as a shallow clone's first commit seems to write it all.
releasecommit() {
  local commit
  commit=$(git -C "$project" log -1 --format=%H -S "$1" -- doc/changelog 2>/dev/null) || return 1
  [ -n "$commit" ] && git -C "$project" rev-parse -q --verify "$commit^" >/dev/null && echo "$commit"
}
# It is built in the first tree, from that commit, as a player's machine would have installed it.
buildprevious() {
  local folder=/root/hollowmint-$previous
  rm -rf "$tree$folder"
  git -C "$project" archive --prefix="hollowmint-$previous/" "$releasedby" | tar -x -C "$tree/root" &&
    asroot "$tree" "cd $folder && make deb >/dev/null" && ls "$tree$folder"/build/hollowmint_*.deb
}
# piuparts' upgrade test takes the old version from an archive: a pristine tree whose sources name a
# folder in it that holds the old package.
upgradebase() {
  local base=$trees/$name-upgrade repo=srv/hollowmint
  rm -rf --one-file-system "$base"
  mkdir -p "$base"
  tar -C "$base" --numeric-owner -xzf "$trees/$name.tar.gz"
  mkdir -p "$base/$repo"
  cp "$old" "$base/$repo/"
  (cd "$base/$repo" && dpkg-scanpackages . >Packages 2>/dev/null)
  echo "deb [trusted=yes] file:/$repo ./" >>"$base/etc/apt/sources.list"
  echo "$base"
}
took() { echo "$(( (SECONDS - $1) / 60 )) min $(( (SECONDS - $1) % 60 )) s"; }
verdict() { if [ "$1" -eq 0 ]; then echo passed; else echo "failed (status $1)"; fi; }

# AddressSanitizer can't run under qemu-user: an emulated architecture tests the plain build alone.
sanitize=yes
[ $emulated = no ] || sanitize=no
# Under qemu-user, llvmpipe draws some scenes wrongly for i386 and armhf, where softpipe, and the
# game's own textures read back, are right: those trees, and the player's, draw with softpipe.
renderer=
case $emulated-$arch in
  yes-i386 | yes-armhf)
    renderer=GALLIUM_DRIVER=softpipe
    echo "fresh-test: $arch under qemu-user draws with softpipe: llvmpipe draws some scenes wrongly there"
    ;;
esac
tree=$trees/$name
"$scripts/fresh-tree.sh" "$release" "$arch" "$tree"
git clone --quiet "$project" "$tree/root/hollowmint"
start=$SECONDS status=0
asroot "$tree" "cd /root/hollowmint && $renderer make test SANITIZE=$sanitize && make deb" || status=$?
report="make test $(verdict $status) in $(took $start)"

if [ $status -eq 0 ]; then
  built=$(ls "$tree"/root/hollowmint/build/hollowmint_*.deb)
  start=$SECONDS
  fromtarball || status=$?
  report="$report; make deb from the tarball, without git, $(verdict $status) in $(took $start),"
  report="$report sha256 $(sha256sum <"$built" | cut -d ' ' -f 1)"
fi
if [ $status -eq 0 ] && [ $emulated = yes ]; then
  report="$report; the ordinary user's make test without apt skipped: under qemu-user it takes an hour more"
elif [ $status -eq 0 ]; then
  start=$SECONDS
  log=$trees/$name-builder.log
  asroot "$tree" /root/hollowmint/scripts/fresh-builder.sh >"$log" 2>&1 || { status=$?; tail -n 30 "$log" >&2; }
  said=$(grep -h -e '^install-deps: no apt' -e '^skipped: ' "$log" | sed 's/\. Needed.*//' | sort -u | paste -sd ';' | sed 's/;/; /g')
  report="$report; make and make test by an ordinary user without apt or dpkg $(verdict $status) in $(took $start) ($said)"
fi
old=
if [ $status -eq 0 ]; then
  read -r previous header < <(previousrelease "$(dpkg-deb -f "$built" Version)") || true
  if [ "$previous" = 1.0.0 ] && ! grep -q '^HOLLOWMINT_ILUT_OPENGL:INTERNAL=1$' "$tree/root/hollowmint/build/CMakeCache.txt"; then
    report="$report; the upgrade from 1.0.0 skipped: 1.0.0 needs ILUT's OpenGL part, which this DevIL lacks"
  elif [ -n "$previous" ] && ! releasedby=$(releasecommit "$header"); then
    report="$report; the upgrade from $previous skipped: this clone's history does not reach the commit"
    report="$report that released it (git fetch --unshallow brings the whole history)"
  elif [ -n "$previous" ]; then
    start=$SECONDS
    old=$(buildprevious) || status=$?
    report="$report; $previous built from ${releasedby:0:7} $(verdict $status) in $(took $start)"
  fi
fi
if [ $status -eq 0 ]; then
  mkdir -p "$trees/$name-deb"
  deb=$trees/$name-deb/$(basename "$built")
  cp "$built" "$deb"
  player=$trees/$name-player
  "$scripts/fresh-tree.sh" "$release" "$arch" "$player"
  start=$SECONDS
  isolated "$scripts/fresh-package.sh" "$player" "$archives" "$deb" "$renderer" "$old" || status=$?
  played="installed${old:+ over $previous}, played and purged"
  report="$report; the package $played by a user $(verdict $status) in $(took $start)"
  start=$SECONDS piuparts=0
  log=$trees/$name-piuparts.log
  rm -f "$log"
  base=(--basetgz="$trees/$name.tar.gz")
  [ -z "$old" ] || base=(--existing-chroot="$(upgradebase)")
  # debconf's own scratch folder, which newer piuparts ignores by itself
  piuparts "${base[@]}" --distribution="$release" --arch="$arch" --keep-sources-list \
    --ignore=/var/cache/debconf/tmp.ci/ --tmpdir="$trees" --log-file="$log" "$deb" >/dev/null || piuparts=$?
  # Where the old package is in no archive, piuparts skips its upgrade test and says only so.
  [ -z "$old" ] || grep -q 'PASS: Installation, upgrade and purging tests' "$log" || piuparts=1
  [ $piuparts -eq 0 ] || { status=$piuparts; grep -A 3 'FAIL' "$log" >&2; }
  report="$report; piuparts' install, ${old:+upgrade, }purge and leftover check $(verdict $piuparts) in $(took $start)"
fi
echo "fresh-test: Debian $release $arch: $report"
exit $status
