#!/usr/bin/env bash
# File chooser benchmark, on a folder of 20,000 WADs with some patches and other files:
#  1. in the real launcher, from the click on "External files..." until the file dialog lists
#     every WAD, then a switch of filter to the patches and back; side by side in the same run
#     with Qt's own file dialog on the same folder with plain name filters;
#  2. from the click on "Launch SP game..." until its dialog is mapped, against a bare dialog
#     of the same size and title opened from the same main window, measured from outside by
#     bench/clickwatch.
# Both run under a private Xvfb with no window manager and a session bus. Builds in Release
# first. Prints the figures against the targets; the exit status does not depend on them.
# Usage: scripts/bench-chooser.sh [runs]   (default 5 of each chooser, 20 of each opening,
#                                          after a warm-up of each)
set -euo pipefail
. "$(dirname "$0")/usage.sh"
cd "$(dirname "$0")/.."

[ $# -le 1 ] || usage_error "takes one argument at most"
runs=${1:-5}
[[ $runs =~ ^[1-9][0-9]{0,5}$ ]] ||
    usage_error "runs must be a whole number from 1 up, not '$runs'"
open_runs=$((runs * 4))
release_dir=build-release
# Two cores on the build machines, and someone else may be building too.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}

scripts/deps.sh xvfb libx11-dev dbus-daemon
# As for the start-up benchmark: a desktop has a session bus, and without one each first
# caption makes Qt look for it.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- scripts/bench-chooser.sh "$@"
fi
cmake -S . -B "$release_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRX_TESTS=OFF >/dev/null
cmake --build "$release_dir" --target chooser_bench clickwatch >/dev/null

work=$(mktemp -d)
. scripts/xvfb.sh
cleanup() {
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT

# The collection: 20,000 WADs (the stored IWAD among them), 150 of each patch kind and 700
# other files, all empty. Names in lower case, so that Qt's case-sensitive name filters list
# the same files as ours.
wads="$work/wads"
mkdir "$wads"
(
    cd "$wads"
    seq -f 'megawad%05g.wad' 1 19999 | xargs touch
    touch doom2.wad
    seq -f 'patch%03g.deh' 1 150 | xargs touch
    seq -f 'patch%03g.bex' 1 150 | xargs touch
    for kind in txt zip pk3 png; do seq -f "extra%03g.$kind" 1 175 | xargs touch; done
)

# The launcher reads brx.cfg beside its executable; the file chooser starts at the IWAD's folder.
cp "$release_dir/chooser_bench" "$work/"
printf '%s\r\n' "/usr/games/zdoom,$wads/doom2.wad,640,480,44100, 2 , 0 " >"$work/brx.cfg"

start_xvfb "$work"
# The file dialog keeps its history in the user's Qt settings: a fresh one of our own.
export XDG_CONFIG_HOME="$work/config"

# Other work on the machine shows in the times: the load average tells how quiet it was.
echo "Chooser: $((runs + 1)) runs of each (the first a warm-up) on Xvfb $DISPLAY," \
    "load average $(cut -d' ' -f1-3 /proc/loadavg)..."
if ! "$work/chooser_bench" --chooser "$wads" $((runs + 1)) >"$work/chooser" \
    2>"$work/programs.log"; then
    echo "The chooser benchmark failed; what it said:" >&2
    tail -n 20 "$work/programs.log" >&2
    exit 1
fi
awk '$1 > 1' "$work/chooser" >"$work/chooser.runs"

# One measured opening: prints "<ms>".
opening() {
    if ! "$release_dir/clickwatch" --ready BRX 455x239 --title "Launch Single Player game" \
        --size 374x287 "$work/chooser_bench" --open "$1" 2>>"$work/programs.log"; then
        echo "Measuring the $1 opening failed; what the programs said:" >&2
        tail -n 20 "$work/programs.log" >&2
        exit 1
    fi
}
echo "Dialog opening: $open_runs of each (after a warm-up of each)," \
    "load average $(cut -d' ' -f1-3 /proc/loadavg)..."
opening solo >/dev/null
opening bare >/dev/null
for ((i = 0; i < open_runs; i++)); do
    if ((i % 2 == 0)); then
        opening solo >>"$work/solo"
        opening bare >>"$work/bare"
    else
        opening bare >>"$work/bare"
        opening solo >>"$work/solo"
    fi
done

# Median, min and max of the numbers on standard input.
stats() {
    sort -g | awk '{ v[NR] = $1 }
        END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
              print m, v[1], v[NR] }'
}
pick() { awk -v who="$1" -v what="$2" '$2 == who && $3 == what { print $4 }' "$work/chooser.runs"; }

printf '\n%-36s %9s %19s\n' "" "median ms" "(min - max)"
row() { printf '%-36s %9.1f %8.1f - %8.1f\n' "$1" "$2" "$3" "$4"; }
declare -A median
for what in open to_deh to_wad; do
    for who in ours qt; do
        read -r m lo hi < <(pick "$who" "$what" | stats)
        median[$who.$what]=$m
        case $what in
        open) label="click to all 20,000 WADs listed" ;;
        to_deh) label="filter switch to *.deh (150)" ;;
        to_wad) label="filter switch back to *.wad" ;;
        esac
        row "$who: $label" "$m" "$lo" "$hi"
    done
done
read -r sm smin smax < <(stats <"$work/solo")
read -r bm bmin bmax < <(stats <"$work/bare")
row "launch_solo: click to mapped" "$sm" "$smin" "$smax"
row "bare 374x287 dialog: click to mapped" "$bm" "$bmin" "$bmax"

echo
for what in open to_deh to_wad; do
    awk -v o="${median[ours.$what]}" -v q="${median[qt.$what]}" -v what="$what" 'BEGIN {
        r = o / q
        printf "chooser %-7s ours / Qt own = %.2f x  (target: at most 1.50 x) %s\n", what, r,
               r <= 1.5 ? "met" : "MISSED" }'
done
awk -v s="$sm" -v b="$bm" 'BEGIN {
    r = s / b
    printf "opening        solo / bare     = %.2f x  (target: at most 1.20 x) %s\n", r,
           r <= 1.2 ? "met" : "MISSED" }'
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
