#!/usr/bin/env bash
# Configures and builds into build/ at the repository root.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_type="${BUILD_TYPE:-RelWithDebInfo}"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" "$@" >/dev/null
cmake --build "$root/build"
