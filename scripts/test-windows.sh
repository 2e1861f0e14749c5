#!/usr/bin/env bash
# Tests the Windows start under wine: builds the command split and the Windows program start
# with plain MinGW-w64 (no Qt) into a test that is its own stand-in engine, and runs it under
# wine64 in a private, throw-away wine prefix. Exits non-zero when a case fails.
# Usage: scripts/test-windows.sh   (the build folder: build-wine/, or BUILD_DIR)
set -euo pipefail
. "$(dirname "$0")/usage.sh"
cd "$(dirname "$0")/.."
[ $# -eq 0 ] || usage_error "takes no arguments"
scripts/deps.sh g++-mingw-w64-x86-64-posix wine64

out=${BUILD_DIR:-build-wine}
mkdir -p "$out"
flags=(-std=c++20 -O1 -Wall -Wextra -Wpedantic -Werror -static -Isrc/platform -Itests)
# As the engine, the test reads its arguments as UTF-16, through wmain, as a Windows engine does.
x86_64-w64-mingw32-g++-posix "${flags[@]}" -municode -o "$out/tst_windows_start.exe" \
    tests/windows/tst_windows_start.cpp src/platform/command_split.cpp \
    src/platform/program_start_windows.cpp

WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all
cleanup() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
# The first run makes the prefix (a quarter of a minute); the test's output is all we show.
/usr/lib/wine/wine64 "$out/tst_windows_start.exe" 2>"$out/wine.log" | tr -d '\r'
