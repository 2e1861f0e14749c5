#!/usr/bin/env bash
# Game library benchmark: the scan for engines and IWADs of a DOOMWADDIR of 20,000 WADs (100
# IWADs) and a PATH of 40 folders, against a plain listing of the same folders in the same
# run: the first scan, a new process's first scan from the cache file, the next ones. Then the
# setup dialog's opening with that scan under way or done, against its opening with nothing to
# find (Qt's offscreen platform). Builds in Release first. Prints the figures and the ratios;
# the exit status does not depend on them.
# Usage: scripts/bench-library.sh [runs]   (default 21, after a warm-up of each)
set -euo pipefail
cd "$(dirname "$0")/.."

release_dir=${BUILD_DIR:-build-release}
# Two cores on the build machines, and someone else may be building too.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}

scripts/deps.sh
cmake -S . -B "$release_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRX_TESTS=ON >/dev/null
cmake --build "$release_dir" --target library_bench >/dev/null
QT_QPA_PLATFORM=offscreen exec "$release_dir/library_bench" "$@"
