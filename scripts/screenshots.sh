#!/usr/bin/env bash
# Renders every window from the real widgets into resources/help/images/, the pictures of the
# help and of the README. Rerun it whenever a window changes, and commit the pictures.
# Usage: scripts/screenshots.sh
set -euo pipefail
. "$(dirname "$0")/usage.sh"
cd "$(dirname "$0")/.."
[ $# -eq 0 ] || usage_error "takes no arguments"
scripts/deps.sh
dir=${BUILD_DIR:-build}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$dir" --target render_windows
out=resources/help/images
rm -rf "$out"
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen "$dir/tests/render_windows" "$out"
ls "$out"
