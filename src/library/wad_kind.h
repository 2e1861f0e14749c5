// Which kind of level list an IWAD has, from its lump directory: episodes when it holds a lump
// named E1M1, Doom II's MAPxx when it holds one named MAP01. Needs nothing but QtCore; the
// fuzz target links it alone.
#pragma once

#include "wad_directory.h"

#include <QString>

class QIODevice;

namespace brx {

enum class WadKind { unknown, doom, doom2 };

// The kind of a directory: a WAD that holds both maps counts as Doom II, for MAP01 names a
// Doom II level whatever else the WAD holds, and "-warp 01" is what an engine playing it as
// Doom II reads.
WadKind wad_kind(const WadDirectory &directory);

// The kind of the WAD on a random-access device open for reading (see read_wad_directory);
// anything that is not a WAD is unknown.
WadKind wad_kind(QIODevice &device);

// The same for a file: anything but a regular file that can be read (a folder, a link to
// nothing, a FIFO, a device) is unknown, and opening it never waits.
WadKind wad_kind(const QString &path);

} // namespace brx
