#!/usr/bin/env bash
# Configures and builds into build/ (or the folder in BUILD_DIR, as the type in BUILD_TYPE,
# RelWithDebInfo by default).
# Usage: scripts/build.sh [cmake option...]   (e.g. -DBRX_SANITIZE=ON; they go to cmake)
set -euo pipefail
. "$(dirname "$0")/usage.sh"
cd "$(dirname "$0")/.."
dir=${BUILD_DIR:-build}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
cmake --build "$dir"
