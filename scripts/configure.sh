#!/usr/bin/env bash
# Configures the plain build in the folder given, with the CMake options after it: CXXFLAGS and
# LDFLAGS come from the environment or, where it names none and dpkg-buildflags exists, are Debian's
# own with all hardening on, as Debian builds its packages. Asked once install-deps has run, which
# brings dpkg-buildflags to a fresh Debian.
# SPDX-FileCopyrightText: 2026 The Hollowmint authors
# SPDX-License-Identifier: MIT
set -euo pipefail
folder=$1
shift
if command -v dpkg-buildflags >/dev/null; then
  hardened() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
  : "${CXXFLAGS=$(hardened CPPFLAGS) $(hardened CXXFLAGS)}"
  : "${LDFLAGS=$(hardened LDFLAGS)}"
fi
cmake -S . -B "$folder" -DCMAKE_CXX_FLAGS="${CXXFLAGS-}" -DCMAKE_EXE_LINKER_FLAGS="${LDFLAGS-}" "$@" >/dev/null
