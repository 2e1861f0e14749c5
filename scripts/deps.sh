#!/usr/bin/env bash
# Installs the Debian packages that building Brixmoor needs, and the extra ones named, when any
# is missing: with apt-get, as root or through sudo.
# Usage: scripts/deps.sh [package...] [--wanted package...]
#   package...            needed as well: the script fails when one cannot be installed
#   --wanted package...   wanted, not needed (tests that skip without them): those this
#                         system's archive lacks, or that cannot be installed here (no root,
#                         no sudo, no network), are named and left out, and the script succeeds
set -euo pipefail
. "$(dirname "$0")/usage.sh"

needed=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev fonts-liberation2
        pkg-config libzip-dev)
wanted=()
while [ $# -gt 0 ]; do
    if [ "$1" = --wanted ]; then
        shift
        wanted=("$@")
        break
    fi
    needed+=("$1")
    shift
done

missing() {
    local package
    for package; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            echo "$package"
    done
}
mapfile -t need < <(missing "${needed[@]}")
mapfile -t want < <(missing "${wanted[@]}")
[ ${#need[@]} -eq 0 ] && [ ${#want[@]} -eq 0 ] && exit 0

# What cannot be had: wanted packages are left out (and named), needed ones end the script.
give_up() {
    local why=$1
    shift
    [ $# -eq 0 ] || echo "Left out ($why): $*" >&2
    if [ ${#need[@]} -gt 0 ]; then
        echo "Please install these packages as root: ${need[*]}" >&2
        exit 1
    fi
    exit 0
}

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null; then
    sudo=(sudo)
else
    give_up "only root may install packages" "${want[@]}"
fi
export DEBIAN_FRONTEND=noninteractive LC_ALL=C
"${sudo[@]}" apt-get update -qq || [ ${#need[@]} -eq 0 ] || give_up "no package lists"

# Wanted packages that the archive has (a candidate version) are installed with the needed ones.
available=()
lacking=()
for package in "${want[@]}"; do
    if [[ $(apt-cache policy "$package" 2>/dev/null) =~ Candidate:\ [^\(] ]]; then
        available+=("$package")
    else
        lacking+=("$package")
    fi
done
[ ${#lacking[@]} -eq 0 ] || echo "Left out (not in this system's archive): ${lacking[*]}" >&2

todo=("${need[@]}" "${available[@]}")
[ ${#todo[@]} -eq 0 ] && exit 0
echo "Installing: ${todo[*]}"
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${todo[@]}" && exit 0
# The wanted ones may be what failed: the needed ones on their own.
if [ ${#need[@]} -gt 0 ] && [ ${#available[@]} -gt 0 ]; then
    echo "Installing only the needed: ${need[*]}"
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}" ||
        give_up "apt-get failed" "${available[@]}"
    echo "Left out (apt-get failed): ${available[*]}" >&2
    exit 0
fi
give_up "apt-get failed" "${available[@]}"
