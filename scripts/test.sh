#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Exits non-zero when a test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j"$(nproc)"
