#!/usr/bin/env bash
# Checks what Brixmoor ships besides the program: the desktop entry and the AppStream
# metadata pass their validators, BRX.chm compiles from the help pages and opens as a CHM
# archive holding them, every link of the help leads to a file, and CPack packs the installed
# folder. Builds into build/ (or BUILD_DIR) first.
# Usage: scripts/check-packaging.sh
set -euo pipefail
. "$(dirname "$0")/usage.sh"
cd "$(dirname "$0")/.."
[ $# -eq 0 ] || usage_error "takes no arguments"
scripts/deps.sh desktop-file-utils appstream fp-utils libchm-bin
dir=${BUILD_DIR:-build}
scripts/build.sh # configures again, so a chmcmd installed since is found

echo "-- desktop entry and AppStream metadata"
desktop-file-validate packaging/org.brixmoor.Brixmoor.desktop
appstreamcli validate --no-net packaging/org.brixmoor.Brixmoor.metainfo.xml

echo "-- every link of the help leads to a file of the help"
for page in resources/help/*.html; do
    grep -o -E '(href|src)="[^"#]+' "$page" | sed -E 's/^(href|src)="//' | while read -r link; do
        case $link in
        *:*) echo "$page links outside the help: $link" >&2; exit 1 ;;
        esac
        [ -f "resources/help/$link" ] || { echo "$page: no file $link" >&2; exit 1; }
    done
done

echo "-- BRX.chm"
cmake --build "$dir" --target brx_chm
chm=$dir/src/app/BRX.chm
[ "$(head -c 4 "$chm")" = ITSF ] || { echo "$chm is no CHM file" >&2; exit 1; }
listing=$(enum_chmLib "$chm" | awk '{ print $NF }')
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
extract_chmLib "$chm" "$out" >/dev/null
for file in $(cd resources/help && find . -type f | sed 's|^\./||'); do
    grep -qxF "/$file" <<<"$listing" || { echo "BRX.chm lacks $file" >&2; exit 1; }
    cmp -s "resources/help/$file" "$out/$file" || { echo "BRX.chm holds another $file" >&2; exit 1; }
done
echo "BRX.chm: $(wc -c <"$chm") bytes, $(cd resources/help && find . -type f | wc -l) files, each as in resources/help"

echo "-- the package"
(cd "$dir" && cpack -G TGZ >/dev/null)
tarball=$dir/brixmoor-$(sed -n 's/^project(brixmoor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)-Linux.tar.gz
contents=$(tar -tzf "$tarball")
for file in brixmoor/brixmoor brixmoor/help/index.html brixmoor/brixmoor.png brixmoor/LICENSE; do
    grep -qxF "$file" <<<"$contents" || { echo "$tarball lacks $file" >&2; exit 1; }
done
echo "$tarball holds the folder brixmoor/"

echo "-- the menu entry that add-to-menu.sh writes for the unpacked folder"
mkdir "$out/my games"
tar -xzf "$tarball" -C "$out/my games"
XDG_DATA_HOME=$out/data "$out/my games/brixmoor/add-to-menu.sh"
desktop-file-validate "$out/data/applications/org.brixmoor.Brixmoor.desktop"
grep -qxF "Exec=\"$out/my games/brixmoor/brixmoor\"" \
    "$out/data/applications/org.brixmoor.Brixmoor.desktop"
[ -f "$out/data/icons/hicolor/32x32/apps/brixmoor.png" ]
echo "packaging: all checks passed"
