#!/usr/bin/env bash
# Start-up benchmark: the time from starting the launcher until its main window is mapped, and
# its peak memory, side by side with a bare Qt window of the same size and title started the
# same way. Both run under a private Xvfb with no window manager and a session bus, and are
# measured from outside by bench/startwatch. The launcher is also started beside three brx.cfg
# files of 100 MB (the record at the start, the record after 100 MB of blanks, a first value
# of 100 MB), and their cost is shown against the normal file. Prints the figures against the
# targets; the exit status does not depend on them.
# Usage: scripts/bench-startup.sh [runs]   (default 20 of each, after 2 warm-up runs of each)
set -euo pipefail
. "$(dirname "$0")/usage.sh"
cd "$(dirname "$0")/.."

[ $# -le 1 ] || usage_error "takes one argument at most"
runs=${1:-20}
[[ $runs =~ ^[1-9][0-9]{0,5}$ ]] ||
    usage_error "runs must be a whole number from 1 up, not '$runs'"
warmups=2
release_dir=build-release
bench_dir=build-bench
# Two cores on the build machines, and someone else may be building too.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}

# Xvfb for a display of our own; libx11-dev for startwatch, which must not use Qt; a session
# bus, as every desktop has one.
scripts/deps.sh xvfb libx11-dev dbus-daemon
# The first text a Qt window sets connects its accessibility bridge to the session bus. Without
# a bus, as under a bare Xvfb, each such start forks dbus-launch to look for one: a cost no
# desktop user pays, and one the bare window (which sets no text) would be spared. So both are
# measured under a session bus of their own.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- scripts/bench-startup.sh "$@"
fi
BUILD_DIR=$release_dir BUILD_TYPE=Release scripts/build.sh -DBRX_TESTS=OFF
cmake -S bench -B "$bench_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$bench_dir" >/dev/null

work=$(mktemp -d)
. scripts/xvfb.sh
cleanup() {
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT

# The launcher reads brx.cfg beside its executable; with a valid one it opens its main window
# straight away. The bare window is run from the same folder, so both start alike.
cp "$release_dir/src/app/brixmoor" "$bench_dir/bare_window" "$work/"
record='/usr/games/zdoom,/tmp/DOOM2.WAD,640,480,44100, 2 , 0 '
printf '%s\r\n' "$record" >"$work/brx.cfg"
# The same launcher in three more folders, each beside a brx.cfg of 100 MB.
big_files=(start blanks value)
for big in "${big_files[@]}"; do
    mkdir "$work/$big"
    cp "$release_dir/src/app/brixmoor" "$work/$big/"
done
megs100() { head -c $((100 * 1024 * 1024)) /dev/zero | tr '\0' "$1"; }
{ printf '%s\r\n' "$record"; megs100 x; } >"$work/start/brx.cfg"
{ megs100 ' '; printf '%s\r\n' "$record"; } >"$work/blanks/brx.cfg"
{ megs100 x; printf ',%s\r\n' "${record#*,}"; } >"$work/value/brx.cfg"

start_xvfb "$work"

# One measured start of a program in $work: prints "<ms> <KiB>".
measure() {
    if ! "$bench_dir/startwatch" --title BRX --size 455x239 "$work/$1" "${@:2}" \
        2>>"$work/programs.log"; then
        echo "Measuring $1 failed; what the programs said:" >&2
        tail -n 20 "$work/programs.log" >&2
        exit 1
    fi
}

# Other work on the machine shows in the times: the load average tells how quiet it was.
echo "Measuring $runs starts of each (after $warmups warm-up starts) on Xvfb $DISPLAY," \
    "load average $(cut -d' ' -f1-3 /proc/loadavg)..."
for ((i = 0; i < warmups; i++)); do
    measure brixmoor >/dev/null
    measure bare_window >/dev/null
    measure bare_window --caption >/dev/null
    for big in "${big_files[@]}"; do
        measure "$big/brixmoor" >/dev/null
    done
done
# Taking turns, and swapping who goes first, spreads any drift of the machine over both.
for ((i = 0; i < runs; i++)); do
    if ((i % 2 == 0)); then
        measure brixmoor >>"$work/launcher"
        measure bare_window >>"$work/bare"
    else
        measure bare_window >>"$work/bare"
        measure brixmoor >>"$work/launcher"
    fi
    measure bare_window --caption >>"$work/caption"
    for big in "${big_files[@]}"; do
        measure "$big/brixmoor" >>"$work/big-$big"
    done
done

# Median, min and max of one column (1: ms, 2: KiB).
stats() {
    cut -d' ' -f"$2" "$1" | sort -g | awk '{ v[NR] = $1 }
        END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
              print m, v[1], v[NR] }'
}
read -r lt lt_min lt_max < <(stats "$work/launcher" 1)
read -r bt bt_min bt_max < <(stats "$work/bare" 1)
read -r lm lm_min lm_max < <(stats "$work/launcher" 2)
read -r bm bm_min bm_max < <(stats "$work/bare" 2)
read -r ct ct_min ct_max < <(stats "$work/caption" 1)
read -r cm cm_min cm_max < <(stats "$work/caption" 2)

awk -v lt="$lt" -v lt_min="$lt_min" -v lt_max="$lt_max" \
    -v bt="$bt" -v bt_min="$bt_min" -v bt_max="$bt_max" \
    -v lm="$lm" -v lm_min="$lm_min" -v lm_max="$lm_max" \
    -v bm="$bm" -v bm_min="$bm_min" -v bm_max="$bm_max" \
    -v ct="$ct" -v ct_min="$ct_min" -v ct_max="$ct_max" \
    -v cm="$cm" -v cm_min="$cm_min" -v cm_max="$cm_max" 'BEGIN {
    mib = 1024
    printf "\n%-22s %29s   %31s\n", "", "start to window mapped, ms", "peak memory (max RSS), MiB"
    printf "%-22s %9s %19s   %9s %21s\n", "", "median", "(min - max)", "median", "(min - max)"
    printf "%-22s %9.1f %8.1f - %8.1f   %9.1f %10.1f - %8.1f\n", "launcher (brixmoor)",
           lt, lt_min, lt_max, lm / mib, lm_min / mib, lm_max / mib
    printf "%-22s %9.1f %8.1f - %8.1f   %9.1f %10.1f - %8.1f\n", "bare Qt window",
           bt, bt_min, bt_max, bm / mib, bm_min / mib, bm_max / mib
    printf "%-22s %9.1f %8.1f - %8.1f   %9.1f %10.1f - %8.1f\n", "bare window + caption",
           ct, ct_min, ct_max, cm / mib, cm_min / mib, cm_max / mib
    ratio = lt / bt
    extra = (lm - bm) / mib
    printf "\ntime:   launcher / bare  = %.2f x    (target: at most 1.20 x) %s\n", ratio,
           ratio <= 1.2 ? "met" : "MISSED"
    printf "memory: launcher - bare  = %+.1f MiB (target: at most 5 MiB)  %s\n", extra,
           extra <= 5 ? "met" : "MISSED"
    printf "\nAgainst the bare window with one caption (fonts loaded by both):\n"
    printf "time:   launcher / caption = %.2f x;  memory: launcher - caption = %+.1f MiB\n",
           lt / ct, (lm - cm) / mib
}'

# The 100 MB files: what each adds to the launcher's own median time and memory above.
printf "\nWith a brx.cfg of 100 MB, added to the launcher with its normal brx.cfg (medians):\n"
for big in "${big_files[@]}"; do
    read -r t _ < <(stats "$work/big-$big" 1)
    read -r m _ < <(stats "$work/big-$big" 2)
    awk -v big="$big" -v t="$t" -v m="$m" -v lt="$lt" -v lm="$lm" 'BEGIN {
        split("start:record at the start|blanks:record after 100 MB of blanks|" \
              "value:one 100 MB value", names, "|")
        for (i in names) { split(names[i], kv, ":"); name[kv[1]] = kv[2] }
        added = (t - lt) / 1000; extra = (m - lm) / 1024
        printf "%-32s time %+6.3f s (target: at most +0.25 s) %-6s  memory %+6.1f MiB " \
               "(target: at most +5 MiB) %s\n", name[big], added, added <= 0.25 ? "met" : "MISSED",
               extra, extra <= 5 ? "met" : "MISSED"
    }'
done
