#!/usr/bin/env bash
# Installs what is missing, builds, and starts the launcher.
# Usage: scripts/run.sh
set -euo pipefail
. "$(dirname "$0")/usage.sh"
cd "$(dirname "$0")/.."
[ $# -eq 0 ] || usage_error "takes no arguments"
scripts/deps.sh
scripts/build.sh
exec "${BUILD_DIR:-build}/src/app/brixmoor"
