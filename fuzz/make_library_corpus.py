#!/usr/bin/env python3
"""Writes the hand-made inputs of the archive and text fuzz targets.

Usage: fuzz/make_library_corpus.py small   (the small ones, into fuzz/archive_corpus/ and
                                            fuzz/text_corpus/; run from the repository's top)
       fuzz/make_library_corpus.py big DIR (the big ones, made at each run and never kept:
                                            a zip bomb and a UMAPINFO of 10,000 maps)
"""
import io
import os
import struct
import sys
import zipfile


def wad(lumps):
    data, directory = b"", b""
    for name, body in lumps:
        directory += struct.pack("<ii", 12 + len(data), len(body)) + name.ljust(8, b"\0")[:8]
        data += body
    return b"PWAD" + struct.pack("<ii", len(lumps), 12 + len(data)) + data + directory


def zipped(entries, method=zipfile.ZIP_DEFLATED):
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", method) as archive:
        for name, body in entries:
            archive.writestr(name, body)
    return out.getvalue()


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


def small():
    a, t = "fuzz/archive_corpus", "fuzz/text_corpus"
    level = wad([(b"MAP01", b""), (b"THINGS", b"\0" * 10), (b"LINEDEFS", b"")])
    write(a, "pk3_with_maps", zipped([
        ("maps/map01.wad", level), ("maps/e1m1.wad", level),
        ("mapinfo.txt", b'map MAP01 "One"\n'),
        ("umapinfo.lmp", b'MAP MAP01 { levelname = "Uno" }\n'),
        ("language.enu", b'[enu default]\nX = "y";\n'), ("dehacked.deh", b"[STRINGS]\nHUSTR_1 = a\n")]))
    write(a, "stored", zipped([("maps/x.wad", level), ("MAPINFO", b"map X \"X\"")], zipfile.ZIP_STORED))
    write(a, "truncated", zipped([("maps/map01.wad", level)])[:60])
    write(t, "umapinfo", b'// comment\nMAP E1M1 { levelname = "Hangar" label = clear\n'
          b'  episode = "M_EPI1", "Knee", "k" next = "E1M2" }\nmap MAP07 { levelname = "x" }')
    write(t, "mapinfo_unclosed", b'map MAP01 "One" { next = MAP02\n cluster = 1 { \n'
          b'map MAP02 lookup "KEY"\n/* open')
    write(t, "mapinfo_old", b'; Hexen\nmap 1 "WINNOWING HALL"\nwarptrans 1\nnext 2\nsky1 SKY2 0\n')
    write(t, "language", b'[enu default]\nHUSTR_1 = "MAP01: " "a\\"b";\n$ifgame(doom2) K = "v";\n[*]\nX="y"')
    write(t, "dehacked", b"Patch File for DeHackEd v3.0\nText 17 15\r\nlevel 1: entryway"
          b"level 1: my map\n[STRINGS]\nHUSTR_E1M1 = E1M1: one \\\n two\n# c\n")


def big(folder):
    # 64 MiB of zeros, deflated to about 64 KiB: read only up to the cap.
    bomb = zipped([("mapinfo.txt", b"\0" * (64 << 20)), ("maps/map01.wad", b"\0" * (8 << 20))])
    write(folder, "zip_bomb", bomb)
    maps = b"".join(b'MAP MAP%02d { levelname = "Map number %d" label = clear }\n' % (i, i)
                    for i in range(10000))
    write(folder, "umapinfo_10000_maps", maps)


if __name__ == "__main__":
    if sys.argv[1:] == ["small"]:
        small()
    elif len(sys.argv) == 3 and sys.argv[1] == "big":
        big(sys.argv[2])
    else:
        sys.exit(__doc__)
