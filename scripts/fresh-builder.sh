#!/usr/bin/env bash
# make fresh-test's builder: in the first tree, as root, lets an ordinary user run make and make test
# on a copy of the source with apt and dpkg out of reach, as on a distribution without them. Its
# last lines are the skips that the tests said.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
set -euo pipefail
shopt -s nullglob
source=$(realpath "$(dirname "$0")/..")
home=/home/builder
id builder >/dev/null 2>&1 || useradd --create-home --shell /bin/bash builder
rm -rf "$home/bin" "$home/hollowmint"
mkdir -p "$home/bin" "$home/hollowmint"
# Every program on root's PATH but apt's and dpkg's, in a folder that is the user's whole PATH.
for program in /usr/local/bin/* /usr/bin/* /usr/sbin/*; do
  case ${program##*/} in apt | apt-* | dpkg | dpkg-*) ;; *) ln -sf "$program" "$home/bin/" ;; esac
done
tar -C "$source" --exclude='./build*' -cf - . | tar -C "$home/hollowmint" -xf -
chown -R builder: "$home"
su builder --command "cd $home/hollowmint && env PATH=$home/bin make && env PATH=$home/bin make test"
sed -n '/^skipped: /p' "$home"/hollowmint/build*/Testing/Temporary/LastTest.log | sort -u
