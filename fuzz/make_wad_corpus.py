#!/usr/bin/env python3
"""Writes the small hand-made WADs of fuzz/wad_corpus/ (run from the repository's top)."""
import struct

def wad(magic, names, count=None, offset=12, data=b""):
    directory = b"".join(struct.pack("<ii", 12, len(data)) + name.ljust(8, b"\0")[:8]
                         for name in names)
    if data:
        offset = 12 + len(data)
    n = len(names) if count is None else count
    return magic + struct.pack("<ii", n, offset) + data + directory

doom = [b"PLAYPAL", b"COLORMAP", b"E1M1", b"THINGS", b"LINEDEFS", b"SIDEDEFS", b"VERTEXES"]
doom2 = [b"PLAYPAL", b"COLORMAP", b"MAP01", b"THINGS", b"LINEDEFS", b"SIDEDEFS", b"VERTEXES"]
files = {
    "doom": wad(b"IWAD", doom),
    "doom2": wad(b"IWAD", doom2, data=b"\x01\x02\x03\x04" * 8),
    "pwad_map01": wad(b"PWAD", [b"MAP01", b"THINGS"]),
    "both": wad(b"IWAD", [b"E1M1", b"MAP01"]),
    "lower_case": wad(b"IWAD", [b"e1m1", b"things"]),
    "no_map": wad(b"IWAD", [b"PLAYPAL", b"E1M10", b"MAP010", b"E2M1"]),
    "huge_count": wad(b"IWAD", doom, count=0x7FFFFFFF),
    "negative_offset": wad(b"IWAD", doom, offset=-16),
    "zero_lumps": wad(b"IWAD", []),
    "truncated": wad(b"IWAD", doom2)[:40],
    "text_maps": wad(b"PWAD", [b"MAP02", b"TEXTMAP", b"ZNODES", b"ENDMAP", b"MAP05", b"TEXTMAP",
                               b"map06", b"things\0x", b"UMAPINFO", b"DEHACKED", b"MAP08",
                               b"TEXTMAP"]),
}
for name, data in files.items():
    with open("fuzz/wad_corpus/" + name, "wb") as out:
        out.write(data)
