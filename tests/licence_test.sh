#!/usr/bin/env bash
# Every file of the source says its licence and copyright, where REUSE's tools can read them.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
. "$(dirname "$0")/harness.sh"
source=$1
if ! command -v reuse >/dev/null; then
  echo "skipped: there is no reuse here"
  exit 77
fi
version=$(reuse --version | head -n 1 | grep -o '[0-9][0-9.]*' | head -n 1) # "reuse 1.1.2", "reuse, version 5.0.2"
# REUSE.toml, which gives the pictures theirs, is read from reuse 3.1 on: Debian 13 has it, Debian 12 not.
if [ "$(printf '%s\n' 3.1 "$version" | sort -V | head -n 1)" != 3.1 ]; then
  echo "skipped: reuse $version does not read REUSE.toml"
  exit 77
fi
sourcecopy "$source" "$work/source"
check "reuse lint finds every file's licence and copyright" reuse --root "$work/source" lint
summary
