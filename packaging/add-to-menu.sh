#!/bin/sh
# Puts this Brixmoor folder into the desktop's application menu, for the current user only:
# the menu entry (pointing at the brixmoor beside this script), the icon and the AppStream
# description go under ~/.local/share. Run it again after moving the folder.
# Usage: ./add-to-menu.sh [--remove]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
data=${XDG_DATA_HOME:-$HOME/.local/share}
id=org.brixmoor.Brixmoor
entry=$data/applications/$id.desktop
icon=$data/icons/hicolor/32x32/apps/brixmoor.png
meta=$data/metainfo/$id.metainfo.xml

if [ "${1:-}" = --remove ]; then
    rm -f "$entry" "$icon" "$meta"
    echo "Brixmoor removed from the menu."
    exit 0
fi

# The menu entry's Exec line takes the path in double quotes; these characters would need
# escapes of their own there, so such a folder is refused rather than half-quoted.
case $here in
*[\"\`\$\\%]* | *'
'*)
    echo "Please move Brixmoor to a folder whose path holds none of \" \` \$ \\ %" >&2
    exit 1
    ;;
esac

mkdir -p "$(dirname "$entry")" "$(dirname "$icon")" "$(dirname "$meta")"
# New files replace old ones, links included: nothing is written through a link.
rm -f "$entry.new" "$icon" "$meta"
while IFS= read -r line; do
    case $line in
    Exec=*) printf 'Exec="%s/brixmoor"\n' "$here" ;;
    *) printf '%s\n' "$line" ;;
    esac
done <"$here/$id.desktop" >"$entry.new"
mv "$entry.new" "$entry"
cp "$here/brixmoor.png" "$icon"
cp "$here/$id.metainfo.xml" "$meta"
command -v update-desktop-database >/dev/null && update-desktop-database -q "$data/applications" || true
echo "Brixmoor added to the menu: $entry"
