#!/usr/bin/env bash
# Launch benchmark: the time from calling launch_game to the first instruction of a stand-in
# engine's main(), median of many runs, for a normal request and for external WAD lists of
# 10, 1,000 and 10,000 paths. Builds in Release first. Prints the figures; the exit status
# does not depend on them.
# Usage: scripts/bench-launch.sh [runs]   (default 300 runs of the normal request)
set -euo pipefail
. "$(dirname "$0")/usage.sh"
cd "$(dirname "$0")/.."
[ $# -le 1 ] || usage_error "takes one argument at most"
runs=${1:-300}
[[ $runs =~ ^[1-9][0-9]{0,5}$ ]] ||
    usage_error "runs must be a whole number from 1 up, not '$runs'"

release_dir=${BUILD_DIR:-build-release}
# Two cores on the build machines, and someone else may be building too.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}

scripts/deps.sh
cmake -S . -B "$release_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRX_TESTS=OFF >/dev/null
cmake --build "$release_dir" --target launch_bench >/dev/null
exec "$release_dir/launch_bench" "$runs"
