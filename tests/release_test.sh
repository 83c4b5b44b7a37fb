#!/usr/bin/env bash
# One version for one package: the changelog's top entry, project() and the metainfo's newest release
# agree, and nothing that goes into the package changes after a release until an UNRELEASED entry is
# opened above it.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
. "$(dirname "$0")/harness.sh"
source=$1
changelog=$source/doc/changelog
read -r version distribution < <(sed -n '1s/^hollowmint (\([^)]*\)) \([A-Za-z-]*\);.*/\1 \2/p' "$changelog")
project=$(sed -n 's/^project(hollowmint VERSION \([^ ]*\) .*/\1/p' "$source/CMakeLists.txt")
check "project() names the changelog's top version: $project, $version" test "$project" = "$version"

# The newest entry that was released, and its date, as the metainfo lists its newest release.
read -r released when < <(awk '/^hollowmint \(/ { keep = $3 != "UNRELEASED;"; name = substr($2, 2, length($2) - 2) }
  keep && /^ -- / { sub(/.*>  /, ""); print name, $0; exit }' "$changelog")
newest=$(sed -n 's/.*<release version="\([^"]*\)" date="\([^"]*\)".*/\1 \2/p' \
  "$source/doc/hollowmint.metainfo.xml.in" | head -n 1)
check "the metainfo's newest release is the changelog's: $newest" \
  test "$newest" = "$released $(date -u -d "$when" +%F)"

# What the package is made of; the tests, scripts and documents around it are not.
packaged=(CMakeLists.txt LICENSE src 'assets/*.gif' 'assets/*.png' doc/changelog 'doc/*.in' scripts/launcher.in)
git=(git -C "$source")
if ! command -v git >/dev/null || ! "${git[@]}" rev-parse --git-dir >/dev/null 2>&1; then
  echo "skipped: without git, as in the release tarball, what changed since the last release is unknown"
elif [ "$distribution" = UNRELEASED ]; then
  check "$version is UNRELEASED: the package may change" true
else
  release=$("${git[@]}" log -1 --format=%h -S "hollowmint ($version) $distribution;" -- doc/changelog)
  # A shallow clone's first commit seems to write every line: it counts only with its parent there.
  if [ -z "$release" ] || ! "${git[@]}" rev-parse -q --verify "$release^" >/dev/null; then
    echo "skipped: the commit that released $version is not in this clone's history"
  else
    changed=$("${git[@]}" diff --name-only "$release" -- "${packaged[@]}" | tr '\n' ' ')
    check "nothing packaged has changed since $release released $version, or an UNRELEASED entry says so: ${changed:-none}" \
      test -z "$changed"
  fi
fi
summary
