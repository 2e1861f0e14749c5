#!/usr/bin/env bash
# The folder that `cmake --install` lays out works on its own. Installs into a temporary
# prefix, puts a brx.cfg beside the installed launcher (a stand-in engine, an IWAD path) and
# starts the launcher from another folder on a private Xvfb; keystrokes then start a game and
# open the help. The stand-in engine must get the IWAD of that brx.cfg and the stand-in
# xdg-open the help/index.html beside the installed launcher, and the build tree must be
# left as it was. Exits 77 (skipped) without Xvfb or xdotool.
# Usage: installed_folder.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
    echo "SKIP: needs Xvfb and xdotool (Debian's xvfb and xdotool)"
    exit 77
fi

. "$(dirname "$0")/script_kit.sh"

cmake --install "$build" --prefix "$work/prefix" >/dev/null
app=$work/prefix/brixmoor
for file in brixmoor help/index.html help/style.css brixmoor.png add-to-menu.sh \
    org.brixmoor.Brixmoor.desktop org.brixmoor.Brixmoor.metainfo.xml; do
    [ -e "$app/$file" ] || fail "$file is not in the installed folder"
done
touch "$work/start"

# Stand-ins that write down what they were given.
mkdir "$work/bin" "$work/elsewhere"
printf '#!/bin/sh\necho "$@" >"%s/engine.args"\n' "$work" >"$work/bin/engine"
printf '#!/bin/sh\necho "$@" >"%s/viewer.args"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/engine" "$work/bin/xdg-open"
printf '%s\r\n' "$work/bin/engine,$work/DOOM2.WAD,640,480,44100, 2 , 1 " >"$app/brx.cfg"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
await "$work/display" "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
(cd "$work/elsewhere" && PATH="$work/bin:$PATH" exec "$app/brixmoor") &
pids+=($!)

# Waits for a window and gives it the keyboard (there is no window manager to do it).
focus() {
    local id
    id=$(timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1) ||
        fail "no window \"$1\""
    xdotool windowfocus --sync "$id"
}
focus BRX
xdotool key space # "Launch SP game..." has the focus
focus "Launch Single Player game"
xdotool key space # so has "Okay"
await "$work/engine.args" "the engine was not started"
grep -q -- "-iwad $work/DOOM2.WAD -skill 4 -warp 01" "$work/engine.args" ||
    fail "the engine got $(cat "$work/engine.args")"

focus BRX
xdotool key Tab Tab Tab Tab space # to "About/Help!"
focus "About BRX"
xdotool key Tab space # to "Help!"
await "$work/viewer.args" "the help was not opened"
[ "$(cat "$work/viewer.args")" = "$app/help/index.html" ] ||
    fail "the help opened was $(cat "$work/viewer.args")"

changed=$(find "$build/src/app" -newer "$work/start")
[ -z "$changed" ] || fail "the build tree's launcher folder changed: $changed"
echo "the installed folder works on its own"
