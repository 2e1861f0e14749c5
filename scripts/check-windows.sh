#!/usr/bin/env bash
# Compiles every source of the launcher for Windows (MinGW-w64, syntax and warnings only), so
# that the Windows-only code keeps building while we work on Linux. There is no Qt for Windows
# here, so Qt's Linux headers stand in for it: good enough to check our code, not to link it.
# Usage: scripts/check-windows.sh
set -euo pipefail
. "$(dirname "$0")/usage.sh"
cd "$(dirname "$0")/.."
[ $# -eq 0 ] || usage_error "takes no arguments"
scripts/deps.sh g++-mingw-w64-x86-64-posix

qt=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
includes=(-I"$qt" -I"$qt/QtCore" -I"$qt/QtGui" -I"$qt/QtWidgets")
for folder in src/*/ src/*/*/; do
    includes+=(-I"$folder")
done
# The headers uic makes from the forms, as the build makes them.
forms=$(mktemp -d)
trap 'rm -rf "$forms"' EXIT
uic=$(qmake6 -query QT_HOST_LIBEXECS 2>/dev/null || echo /usr/lib/qt6/libexec)/uic
for form in src/*/*.ui; do
    "$uic" "$form" -o "$forms/ui_$(basename "$form" .ui).h"
done
includes+=(-I"$forms")
# libzip's two headers stand in for a Windows libzip the same way, copied alone so that no other
# Linux header comes along.
mkdir "$forms/zip"
cp /usr/include/zip.h /usr/include/zipconf.h "$forms/zip/"
includes+=(-I"$forms/zip")

status=0
# The POSIX start is the one source Windows builds leave out.
while IFS= read -r source; do
    # Qt's Linux configuration declares some functions without dllimport; that warning is
    # about the stand-in headers, not our code. The version numbers only need to exist here
    # (CMake sets the real ones), so they are not kept in step with the project's.
    if ! x86_64-w64-mingw32-g++-posix -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic \
        -Werror -Wno-attributes -DUNICODE -D_UNICODE -DQT_CORE_LIB -DBRX_HAVE_LIBZIP \
        -DBRX_VERSION_MAJOR=0 \
        -DBRX_VERSION_MINOR=0 -DBRX_VERSION_PATCH=0 "${includes[@]}" "$source"; then
        echo "does not compile for Windows: $source" >&2
        status=1
    fi
done < <(git ls-files 'src/*.cpp' | grep -v '_posix\.cpp$')
[ "$status" -eq 0 ] && echo "every source compiles for Windows"
exit "$status"
