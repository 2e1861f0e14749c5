// The maps a game holds, with their titles: those of the external files first (each map once,
// from the last file that holds it), then the IWAD's own; each list in map order. A title
// comes, best first, from UMAPINFO, then ZMAPINFO or MAPINFO (with LANGUAGE), then DEHACKED,
// then the IWAD's stock titles; for each source the last loaded file wins. Reads files only
// (no QObject, no widgets), so it may run on any thread.
#pragma once

#include "wad_identity.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace brx {

struct MapEntry {
    QString map;   // the map's lump name, upper case: what a warp names
    QString title; // empty when none is known
    QString file;  // the path of the file the map comes from
};

struct MapList {
    Identity iwad;
    QList<MapEntry> maps;     // the external files' maps, then the IWAD's
    qsizetype iwad_first = 0; // the index of the IWAD's first map
};

// The lumps the longest text lump of a WAD may have; a longer one is left out.
inline constexpr qint64 wad_text_cap = 4 << 20;

// The maps of the IWAD and the external files (WADs, .pk3/.zip archives and DEHACKED patches,
// each known by its contents). A file that cannot be read, or holds nothing of use, adds no
// maps; nothing here fails.
MapList map_list(const QString &iwad, const QStringList &files);

} // namespace brx
