#!/usr/bin/env bash
# Presets benchmark: the time a game dialog takes to open with a presets file of 200 presets
# and a last game of 500 files, the file unchanged since the last opening and changed before
# each, against the same opening without a presets file and against it with the same 500
# files put in its box, in the same run and alternating, on Qt's offscreen platform. Builds in
# Release first. Prints the medians of the time and of the processor time, and their ratios
# against the target (1.2 at most); the exit status does not depend on them.
# Usage: scripts/bench-presets.sh [runs]   (default 50 of each opening, after a warm-up)
set -euo pipefail
. "$(dirname "$0")/usage.sh"
cd "$(dirname "$0")/.."

[ $# -le 1 ] || usage_error "takes one argument at most"
runs=${1:-50}
[[ $runs =~ ^[1-9][0-9]{0,4}$ ]] ||
    usage_error "runs must be a whole number from 1 up, not '$runs'"
release_dir=${BENCH_BUILD_DIR:-build-release}
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}

cmake -S . -B "$release_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$release_dir" --target bench_presets >/dev/null
QT_QPA_PLATFORM=offscreen "$release_dir/tests/bench_presets" "$runs"
