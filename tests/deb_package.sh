#!/usr/bin/env bash
# The Debian package, installed into this system and used as a new user would. Builds
# brixmoor_<version>_amd64.deb with CPack, has lintian look at it (no errors), installs it
# with dpkg, and starts /usr/bin/brixmoor as an unprivileged user on a private Xvfb.
# Keystrokes answer the first-run message and fill the setup dialog; the settings must land
# in that user's ~/.config/brixmoor/brx.cfg, and "Launch SP game..." then "Okay" must start
# the stand-in engine typed in, with the IWAD typed in. dpkg -r removes the package at the
# end. Needs root (dpkg, useradd): exits 77 (skipped) without it, without Xvfb, xdotool or
# setpriv, or when a brixmoor package is installed already.
# Usage: deb_package.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
skip() {
    echo "deb_package: skipped: $*"
    exit 77
}
[ "$(id -u)" = 0 ] || skip "dpkg -i needs root"
for tool in Xvfb xdotool setpriv useradd dpkg cpack; do
    command -v "$tool" >/dev/null || skip "no $tool"
done
if dpkg-query -W -f '${Status}' brixmoor 2>/dev/null | grep -q installed; then
    skip "a brixmoor package is installed already"
fi

user=brxtest
installed=
made_user=
# After the launcher and its X server: the package and the user made here.
undo_more() {
    [ -z "$installed" ] || dpkg -r brixmoor >/dev/null || true
    [ -z "$made_user" ] || userdel -r "$user" 2>/dev/null || true
}
. "$(dirname "$0")/script_kit.sh"
chmod 755 "$work"

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb=$work/pkg/brixmoor_${version}_$(dpkg --print-architecture).deb
(cd "$build" && cpack -G DEB -B "$work/pkg" >/dev/null)
[ -f "$deb" ] || fail "cpack made no $(basename "$deb")"
if command -v lintian >/dev/null; then
    lintian "$deb" 2>/dev/null >"$work/lintian" || true
    ! grep '^E:' "$work/lintian" || fail "lintian reports errors"
    echo "lintian: $(grep -c '^W:' "$work/lintian" || true) warnings"
else
    echo "lintian not found: the package is not checked by it"
fi

dpkg -i "$deb" >/dev/null
installed=yes
for file in /usr/bin/brixmoor /usr/share/brixmoor/help/index.html \
    /usr/share/applications/org.brixmoor.Brixmoor.desktop \
    /usr/share/metainfo/org.brixmoor.Brixmoor.metainfo.xml \
    /usr/share/icons/hicolor/256x256/apps/brixmoor.png /usr/share/man/man6/brixmoor.6.gz; do
    [ -e "$file" ] || fail "$file is not installed"
done

if ! id "$user" >/dev/null 2>&1; then
    useradd --create-home --shell /bin/sh "$user"
    made_user=yes
fi
home=$(getent passwd "$user" | cut -d: -f6)
rm -rf "$home/.config/brixmoor"

# A stand-in engine that writes down what it was given, where the user may write.
mkdir -m 777 "$work/out"
printf '#!/bin/sh\necho "$@" >"%s/out/engine.args"\n' "$work" >"$work/engine"
chmod 755 "$work/engine"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
await "$work/display" "Xvfb did not start"
DISPLAY=":$(cat "$work/display")"
export DISPLAY
# No session bus: Qt would start one of its own, which would outlive the launcher.
install -d -m 700 -o "$user" "$work/runtime"
(cd / && exec setpriv --reuid="$user" --regid="$(id -g "$user")" --init-groups \
    env -i HOME="$home" USER="$user" PATH=/usr/bin:/bin DISPLAY="$DISPLAY" \
    QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" \
    DBUS_SESSION_BUS_ADDRESS="unix:path=$work/runtime/no-bus" /usr/bin/brixmoor) &
pids+=($!)

# Waits for a window and gives it the keyboard (there is no window manager to do it).
focus() {
    local id
    id=$(timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1) ||
        fail "no window \"$1\""
    xdotool windowfocus --sync "$id"
}
focus "BRX needs to be configured..."
xdotool key Return
focus "ZDoom Configuration..."
# "Okay" has the focus; on the first run "Cancel" is off, so Tab goes to the tabs, the IWAD
# box, the engine box.
xdotool key Tab Tab
xdotool type --delay 20 "/usr/share/games/doom/DOOM2.WAD"
xdotool key Tab
xdotool type --delay 20 "$work/engine"
xdotool key shift+Tab shift+Tab shift+Tab space # back to "Okay"
cfg=$home/.config/brixmoor/brx.cfg
await "$cfg" "no $cfg after the setup"
[ "$(stat -c %U "$cfg")" = "$user" ] || fail "$cfg belongs to $(stat -c %U "$cfg")"
grep -q "^$work/engine,/usr/share/games/doom/DOOM2.WAD," "$cfg" ||
    fail "$cfg holds $(cat "$cfg")"
[ ! -e /usr/bin/brx.cfg ] || fail "a brx.cfg was written to /usr/bin"

focus BRX
xdotool key space # "Launch SP game..." has the focus
focus "Launch Single Player game"
xdotool key space # so has "Okay"
await "$work/out/engine.args" "the engine was not started"
grep -q -- "-iwad /usr/share/games/doom/DOOM2.WAD -skill 4" "$work/out/engine.args" ||
    fail "the engine got $(cat "$work/out/engine.args")"

# The launcher goes before the package does.
kill "${pids[1]}"
wait "${pids[1]}" 2>/dev/null || true
unset 'pids[1]'
dpkg -r brixmoor >/dev/null
installed=
[ ! -e /usr/bin/brixmoor ] || fail "dpkg -r left /usr/bin/brixmoor"
echo "the Debian package installs, works for a user of its own and goes again"
