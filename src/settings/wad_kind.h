// Which game an IWAD belongs to, from its lump directory: Doom when it holds a lump named
// E1M1, Doom II when it holds one named MAP01. Needs nothing but QtCore; the fuzz target
// links it alone.
#pragma once

#include <QString>

class QIODevice;

namespace brx {

enum class WadKind { unknown, doom, doom2 };

// The most directory entries looked at; the maps of a real IWAD come within its first few
// hundred lumps, and 65536 entries are one read of 1 MiB at most.
inline constexpr qint64 wad_entries_read = 65536;

// Reads the header ("IWAD" or "PWAD", the lump count and the directory's offset, both 32-bit
// little-endian) and then the directory from a random-access device open for reading. The
// directory must lie wholly within the device; a count or offset below zero, no lumps, a
// short read or a device that is not random-access give unknown. Lump names are compared up
// to their first NUL and in any letter case. A WAD that holds both maps counts as Doom II:
// MAP01 names a Doom II level whatever else the WAD holds, and "-warp 01" is what an engine
// playing it as Doom II reads.
WadKind wad_kind(QIODevice &device);

// The same for a file: anything but a regular file that can be read (a folder, a link to
// nothing, a FIFO, a device) is unknown, and opening it never waits.
WadKind wad_kind(const QString &path);

} // namespace brx
