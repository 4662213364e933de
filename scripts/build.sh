#!/usr/bin/env bash
# Configures and builds into build/ at the repository root: a Release build
# with Debian's hardening flags (immediate binding included), so that the
# tests run on the very programs scripts/package puts into the package.
# Without debug information, which would double the build's time.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS | sed -E 's/(^| )-g( |$)/ /') $(dpkg-buildflags --get CPPFLAGS)"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" "$@" >/dev/null
cmake --build "$root/build" -j2
