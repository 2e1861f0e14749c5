#!/usr/bin/env bash
# Cross-builds the whole launcher for Windows on Debian: a static Qt (Core, Gui, Widgets, Test)
# for MinGW-w64 made from Debian's own qt6-base source (the version the host's Qt tools are)
# and a static libzip for .pk3 archives from Debian's libzip source the same way, then the
# launcher, its tests and a .zip of the portable folder. The Qt build takes about half an hour
# on two cores; both are made once into a cache folder outside the repository and reused from
# then on.
#
# Usage: scripts/build-windows.sh [qt|launcher|test|look|all]   (default: all)
#   qt        only the static Qt and libzip, into the cache
#   launcher  Qt and libzip if missing, then the launcher, the tests and the .zip (build-windows/)
#   test      the above, then every test under wine64 on the offscreen platform
#   look      the launcher, then screenshots of it under wine64 on Xvfb (build-windows/look/)
#   all       test and look
# BRX_WINDOWS_CACHE: the cache folder (default ~/.cache/brixmoor-windows).
set -euo pipefail
. "$(dirname "$0")/usage.sh"
cd "$(dirname "$0")/.."

[ $# -le 1 ] || usage_error "takes one argument at most"
what=${1:-all}
case $what in
qt | launcher | test | look | all) ;;
*) usage_error "no step '$what'" ;;
esac
cache=${BRX_WINDOWS_CACHE:-$HOME/.cache/brixmoor-windows}
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null | sed 's/+.*//' || true)
prefix=$cache/qt-${qt_version:-unknown}-mingw-static
zip_version=$(dpkg-query -W -f='${source:Version}' libzip-dev 2>/dev/null || true)
zip_prefix=$cache/libzip-${zip_version%-*}-mingw-static
build_dir=${BUILD_DIR:-build-windows}
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
host_cmake=/usr/lib/x86_64-linux-gnu/cmake

scripts/deps.sh g++-mingw-w64-x86-64-posix libz-mingw-w64-dev dpkg-dev zip
mkdir -p "$cache"

# The compilers, for Qt, libzip and us alike; the posix flavour has std::thread. Libraries and
# packages come from MinGW's own folder (zlib among them) and from our Qt and libzip.
toolchain=$cache/mingw-toolchain.cmake
cat >"$toolchain" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $prefix $zip_prefix)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

# The source of a Debian package at a version, from Debian's own archive, unpacked into
# WORK/source. The system has no deb-src lines, so apt gets a list of its own for these
# downloads and the system's lists stay as they are.
debian_source() { # package version work
    local work=$3 apt=$3/apt
    [ -d "$work/source" ] && return
    mkdir -p "$apt/lists/partial" "$apt/parts"
    sed -n 's/^URIs:[[:space:]]*//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null |
        head -n1 >"$apt/uri" || true
    [ -s "$apt/uri" ] || echo http://deb.debian.org/debian >"$apt/uri"
    echo "deb-src $(cat "$apt/uri") bookworm main" >"$apt/sources.list"
    local options=(-o "Dir::Etc::SourceList=$apt/sources.list"
                   -o "Dir::Etc::SourceParts=$apt/parts" -o "Dir::State::Lists=$apt/lists")
    apt-get "${options[@]}" update -qq
    rm -rf "$work/download"
    mkdir -p "$work/download"
    (cd "$work/download" && apt-get "${options[@]}" source -qq "$1=$2")
    mv "$(find "$work/download" -mindepth 1 -maxdepth 1 -type d -name "$1-*")" "$work/source"
}

build_qt() {
    # A Qt built before the level list read its files on a worker thread has no Concurrent.
    if [ -e "$prefix/.complete" ] && [ -d "$prefix/lib/cmake/Qt6Concurrent" ]; then
        echo "Qt for Windows: $prefix (built before)"
        return
    fi
    [ -n "$qt_version" ] || { echo "qt6-base-dev is not installed" >&2; exit 1; }
    local work=$cache/qt-work
    local started=$SECONDS
    mkdir -p "$work"
    debian_source qt6-base "$(dpkg-query -W -f='${Version}' qt6-base-dev)" "$work"
    # Debian's source leaves out the tablet headers the Windows platform plugin needs (their
    # licence forbids changes). Wine's LGPL ones, from Debian's libwine-dev, take their place,
    # with the few names they take from Wine's own headers; the package is only unpacked.
    local wintab=$work/source/src/3rdparty/wintab
    if [ ! -f "$wintab/wintab.h" ]; then
        rm -rf "$work/wine"
        mkdir -p "$work/wine" "$wintab"
        (cd "$work/wine" && apt-get download -qq libwine-dev && dpkg-deb -x libwine-dev_*.deb .)
        cp "$work/wine/usr/include/wine/wine/windows/pktdef.h" "$wintab/"
        cp "$work/wine/usr/include/wine/wine/windows/wintab.h" "$wintab/wine_wintab.h"
        cat >"$wintab/wintab.h" <<'EOF'
/* Wine's LGPL wintab.h, with the few names it takes from Wine's own headers. */
#include <windows.h>
#define WINELIB_NAME_AW(name) __MINGW_NAME_AW(name)
#define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#ifndef API
#define API WINAPI
#endif
#include "wine_wintab.h"
EOF
    fi
    # Without OpenGL, Qt 6.4 still marks dynamic OpenGL as on for Windows, and one file of the
    # platform plugin then reaches for OpenGL classes that are not built.
    sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
        "$work/source/src/plugins/platforms/windows/qwindowswindow.cpp"
    # Only what the launcher and its tests use; every third-party library Qt carries is
    # built in, so that nothing of the host's is picked up. A build that was stopped goes on
    # where it stood; one configured without Concurrent is configured again.
    [ -f "$work/build/build.ninja" ] &&
        ! grep -q '^FEATURE_concurrent:BOOL=OFF' "$work/build/CMakeCache.txt" ||
        cmake -S "$work/source" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_pkg_config=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF -DFEATURE_sql=OFF \
        -DFEATURE_xml=OFF -DFEATURE_concurrent=ON -DFEATURE_printsupport=OFF \
        -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
        -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF \
        -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF \
        -DFEATURE_accessibility=ON
    cmake --build "$work/build" --parallel "$jobs"
    cmake --install "$work/build"
    touch "$prefix/.complete"
    echo "Qt for Windows built in $(((SECONDS - started) / 60)) min: $prefix"
}

# libzip for .pk3 archives, static, with deflate alone (zlib is MinGW's, from Debian's
# libz-mingw-w64-dev): no other compression and no encryption (ENABLE_ZSTD is for a libzip
# later than Debian's), none of its tools, tests, examples or manual pages; its own warnings
# (Win32 functions in a table of generic pointers) are not shown. Two minutes' work.
build_libzip() {
    if [ -e "$zip_prefix/.complete" ]; then
        echo "libzip for Windows: $zip_prefix (built before)"
        return
    fi
    [ -n "$zip_version" ] || { echo "libzip-dev is not installed" >&2; exit 1; }
    local work=$cache/libzip-work
    mkdir -p "$work"
    debian_source libzip "$zip_version" "$work"
    rm -rf "$work/build"
    cmake -S "$work/source" -B "$work/build" -G Ninja --no-warn-unused-cli \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$zip_prefix" -DBUILD_SHARED_LIBS=OFF -DCMAKE_C_FLAGS=-w \
        -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_COMMONCRYPTO=OFF \
        -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF \
        -DENABLE_WINDOWS_CRYPTO=OFF -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF \
        -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF >/dev/null
    cmake --build "$work/build" --parallel "$jobs"
    cmake --install "$work/build" >/dev/null
    touch "$zip_prefix/.complete"
    echo "libzip for Windows: $zip_prefix"
}

build_libzip
build_qt
[ "$what" = qt ] && exit 0

# The launcher and its tests, linked statically throughout: one .exe each, no DLLs; without
# libzip the configuring stops.
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DBRX_NEED_LIBZIP=ON \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" -DCMAKE_EXE_LINKER_FLAGS=-static >/dev/null
cmake --build "$build_dir" --parallel "$jobs"

# The portable folder as `cmake --install` lays it out (the launcher, BRX.chm for its help
# viewer, the help pages), stripped; brx.cfg appears in it at the first "Okay".
portable=$build_dir/portable
rm -rf "$portable" "$build_dir/brixmoor-windows.zip"
cmake --install "$build_dir" --prefix "$portable" --strip >/dev/null
(cd "$portable" && zip -qr ../brixmoor-windows.zip brixmoor)
echo "Windows launcher: $build_dir/brixmoor-windows.zip"
[ "$what" = launcher ] && exit 0

# A private wine prefix for the runs below.
scripts/deps.sh wine64 fonts-liberation2
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all
cleanup() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    if declare -F stop_xvfb >/dev/null; then stop_xvfb; fi
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
wine_env() { /usr/lib/wine/wine64 reg add 'HKCU\Environment' /v "$1" /d "$2" /f >/dev/null 2>&1; }

# Every test under wine64, on Qt's offscreen platform. Wine hands no QT_ variable on from the
# environment, so they go into the prefix's own. On Windows the offscreen platform reads fonts
# from one folder: Liberation Sans, with the metrics of the Arial that Windows gives the
# launcher, so that captions are measured as there. QtTest writes nothing to wine's console, so
# each test writes its log to a file, shown when it fails.
run_tests() {
    wine_env QT_QPA_PLATFORM offscreen
    wine_env QT_QPA_FONTDIR 'Z:\usr\share\fonts\truetype\liberation2'
    local test name log failed=0
    for test in "$build_dir"/tests/tst_*.exe; do
        name=$(basename "$test" .exe)
        log=$build_dir/tests/$name.log
        rm -f "$log"
        if (cd "$build_dir/tests" && /usr/lib/wine/wine64 "$name.exe" -o "$name.log,txt" \
            >/dev/null 2>&1); then
            echo "PASS $name: $(grep -a '^Totals' "$log" | tr -d '\r')"
        else
            echo "FAIL $name"
            tr -d '\r' <"$log" 2>/dev/null | grep -a -v '^PASS' || true
            failed=1
        fi
    done
    /usr/lib/wine/wine64 reg delete 'HKCU\Environment' /v QT_QPA_PLATFORM /f >/dev/null 2>&1
    /usr/lib/wine/wine64 reg delete 'HKCU\Environment' /v QT_QPA_FONTDIR /f >/dev/null 2>&1
    return "$failed"
}

# The launcher as a user starts it, under wine64 on a private Xvfb with no window manager, a
# brx.cfg beside it: its main window, then its setup dialog opened by a click on "ZDoom
# Config...", as PNGs in build-windows/look/.
look() {
    scripts/deps.sh xvfb xdotool imagemagick
    local out=$PWD/$build_dir/look main X Y WIDTH HEIGHT SCREEN WINDOW
    rm -rf "$out"
    mkdir -p "$out"
    cp -r "$portable/brixmoor" "$out/app"
    printf 'C:\\Games\\zdoom.exe,C:\\Games\\DOOM2.WAD,640,480,44100, 2 , 1 \r\n' \
        >"$out/app/brx.cfg"
    # shellcheck source=scripts/xvfb.sh
    source scripts/xvfb.sh
    start_xvfb "$out"
    # Wine's desktop keeps the display it started with: none, after the tests.
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    /usr/lib/wine/wineserver -w
    (cd "$out/app" && setsid -f /usr/lib/wine/wine64 brixmoor.exe >"$out/wine.log" 2>&1)
    main=$(timeout 120 xdotool search --sync --name '^BRX$' | head -n1)
    sleep 2
    import -window root "$out/main.png"
    # The button's middle, by its place in the form; a first click may only activate.
    eval "$(xdotool getwindowgeometry --shell "$main")"
    for _ in 1 2 3; do
        xdotool mousemove $((X + 396)) $((Y + 112)) click 1
        sleep 2
        xdotool search --name '^ZDoom Configuration' >/dev/null && break
    done
    import -window root "$out/setup.png"
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    stop_xvfb
    echo "Screenshots: $out/main.png $out/setup.png"
}

status=0
case $what in
test) run_tests || status=1 ;;
look) look ;;
*) run_tests || status=1; look ;;
esac
exit "$status"
