#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Exits non-zero when a test fails.
# Besides what the build needs, the tests that start real programs want Xvfb and xdotool (the
# installed folder), desktop-file-validate and python3 (the presets' shortcut), Debian's Doom
# engines and Freedoom's IWADs (the real engines): they are installed too where the system can
# have them, and a test that still lacks them is skipped and says why.
# Usage: scripts/test.sh
set -euo pipefail
. "$(dirname "$0")/usage.sh"
cd "$(dirname "$0")/.."
[ $# -eq 0 ] || usage_error "takes no arguments"
scripts/deps.sh --wanted xvfb xdotool desktop-file-utils python3 chocolate-doom crispy-doom dsda-doom woof-doom freedoom
scripts/build.sh
dir=${BUILD_DIR:-build}
status=0
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" || status=$?
# CTest shows nothing a skipped test said: the reasons, from its log.
grep -h '^SKIP' "$dir/Testing/Temporary/LastTest.log" 2>/dev/null || true
exit "$status"
