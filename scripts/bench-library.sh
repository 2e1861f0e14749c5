#!/usr/bin/env bash
# Game library benchmark: the scan for engines and IWADs of a DOOMWADDIR of 20,000 WADs (100
# IWADs) and a PATH of 40 folders, against a plain listing of the same folders in the same
# run. Builds in Release first. Prints the figures and the ratio; the exit status does not
# depend on them.
# Usage: scripts/bench-library.sh [runs]   (default 21, after a warm-up of each)
set -euo pipefail
cd "$(dirname "$0")/.."

release_dir=${BUILD_DIR:-build-release}
# Two cores on the build machines, and someone else may be building too.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}

scripts/deps.sh
cmake -S . -B "$release_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRX_TESTS=OFF >/dev/null
cmake --build "$release_dir" --target library_bench >/dev/null
exec "$release_dir/library_bench" "$@"
