#!/usr/bin/env bash
# Map list benchmark: the maps and titles of a game's files, against a plain read of the same
# files' directories in the same run, for an IWAD (32 maps) with
#  1. a mod list of 100 PWADs, each with three maps and a UMAPINFO;
#  2. a 500 MB .pk3 of 1,000 stored entries (sparse: it costs little disk), 999 of them maps,
#     with a MAPINFO naming its maps; also with TZ left unset (the launcher sets it as it
#     starts: see read_time_zone_once), and libzip's opening of the .pk3 alone (zip_open and
#     each entry's name) for comparison;
#  3. a WAD of 65,536 lumps, 8,192 of them maps;
#  4. a WAD of 65,536 lumps, 32 of them maps (the rest graphics).
# The plain read: open, the header and the directory (a WAD's lump directory, an archive's
# central directory) with one pread each, close, and a walk over the directory's records
# looking at each name as stored (bench/maps_bench.cpp says exactly what).
# Builds in Release first. Prints the ratios against the target (at most 2x); the exit status
# does not depend on them.
# Usage: scripts/bench-maps.sh [runs]   (default 20 of each, after a warm-up)
set -euo pipefail
cd "$(dirname "$0")/.."

case ${1:-} in
-h | --help)
    sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//'
    exit 0
    ;;
esac
runs=${1:-20}
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "runs must be a number: $runs" >&2; exit 2; }
release_dir=build-release
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-2}

cmake -S . -B "$release_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRX_TESTS=OFF >/dev/null
cmake --build "$release_dir" --target maps_bench >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work" <<'PYTHON'
import os, struct, sys, zlib
work = sys.argv[1]

def wad(magic, lumps):
    data, directory = b"", b""
    for name, body in lumps:
        directory += struct.pack("<ii", 12 + len(data), len(body)) + name.ljust(8, b"\0")[:8]
        data += body
    return magic + struct.pack("<ii", len(lumps), 12 + len(data)) + data + directory

def level(marker):
    return [(marker, b"")] + [(n, b"\0" * 16) for n in
                              (b"THINGS", b"LINEDEFS", b"SIDEDEFS", b"VERTEXES", b"SEGS",
                               b"SSECTORS", b"SECTORS")]

iwad = [(b"PLAYPAL", b"\0" * 768)]
for n in range(1, 33):
    iwad += level(b"MAP%02d" % n)
open(f"{work}/iwad.wad", "wb").write(wad(b"IWAD", iwad))

os.mkdir(f"{work}/mods")
for i in range(100):
    lumps, info = [], b""
    for m in range(3):
        name = b"MAP%02d" % ((i * 3 + m) % 99 + 1)
        lumps += level(name)
        info += b'MAP %s { levelname = "Mod %d map %d" }\n' % (name, i, m)
    lumps.append((b"UMAPINFO", info))
    open(f"{work}/mods/mod{i:03d}.wad", "wb").write(wad(b"PWAD", lumps))

# The .pk3: 999 map entries of 500 KiB of zeros, stored and left as holes, and a MAPINFO.
big = 500 * 1024
zero_crc = zlib.crc32(b"\0" * big)
entries = [(b"maps/m%04d.wad" % i, big, zero_crc, None) for i in range(999)]
mapinfo = b"".join(b'map M%04d "Map %d"\n' % (i, i) for i in range(999))
entries.append((b"mapinfo.txt", len(mapinfo), zlib.crc32(mapinfo), mapinfo))
with open(f"{work}/big.pk3", "wb") as out:
    central = b""
    for name, size, crc, body in entries:
        offset = out.tell()
        out.write(struct.pack("<IHHHHHIIIHH", 0x04034b50, 10, 0, 0, 0, 0, crc, size, size,
                              len(name), 0) + name)
        if body is None:
            out.seek(size, 1)
        else:
            out.write(body)
        central += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014b50, 20, 10, 0, 0, 0, 0, crc, size,
                               size, len(name), 0, 0, 0, 0, 0, offset) + name
    start = out.tell()
    out.write(central)
    out.write(struct.pack("<IHHHHIIH", 0x06054b50, 0, 0, len(entries), len(entries),
                          len(central), start, 0))

lumps = []
for n in range(8192):
    lumps += level(b"M%05d" % n)
open(f"{work}/lumps.wad", "wb").write(wad(b"PWAD", lumps))

lumps = []
for n in range(32):
    lumps += level(b"MAP%02d" % (n + 1))
lumps += [(b"G%05d" % n, b"\0" * 8) for n in range(65536 - len(lumps))]
open(f"{work}/graphics.wad", "wb").write(wad(b"PWAD", lumps))
PYTHON

echo "Map list: $runs runs of each (after a warm-up), load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "pk3: $(du -h --apparent-size "$work/big.pk3" | cut -f1) apparent, $(du -h "$work/big.pk3" | cut -f1) on disk"
printf '\n%-40s %10s %12s %6s %7s\n' "" "plain ms" "map list ms" "maps" "ratio"
measure() {
    local label=$1
    shift
    read -r _ plain listed maps opened < <("$release_dir/maps_bench" "$@")
    awk -v l="$label" -v p="$plain" -v m="$listed" -v n="$maps" 'BEGIN {
        r = m / p
        printf "%-40s %10.3f %12.3f %6d %6.2fx  (target: at most 2x) %s\n", l, p, m, n, r,
               r <= 2 ? "met" : "MISSED" }'
    if [[ $opened != -1.000 ]]; then
        awk -v p="$plain" -v o="$opened" 'BEGIN {
            printf "%-40s %10s %12.3f %6s %6.2fx\n", "  libzip opening the .pk3 alone", "", o, "",
                   o / p }'
    fi
}
measure "IWAD + 100 PWADs" "$runs" "$work/iwad.wad" "$work"/mods/*.wad
measure "IWAD + 500 MB pk3 (1,000 entries)" "$runs" "$work/iwad.wad" "$work/big.pk3"
env -u TZ "$release_dir/maps_bench" --tz-as-is "$runs" "$work/iwad.wad" "$work/big.pk3" |
    awk '{ printf "%-40s %10.3f %12.3f %6d %6.2fx\n", "  the same with TZ unset", $2, $3, $4, $3 / $2 }'
measure "IWAD + WAD of 65,536 lumps, 8,192 maps" "$runs" "$work/iwad.wad" "$work/lumps.wad"
measure "IWAD + WAD of 65,536 lumps, 32 maps" "$runs" "$work/iwad.wad" "$work/graphics.wad"
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
