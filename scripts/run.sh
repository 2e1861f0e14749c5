#!/usr/bin/env bash
# Installs what is missing, builds, and starts the launcher.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
exec "${BUILD_DIR:-build}/src/app/brixmoor"
