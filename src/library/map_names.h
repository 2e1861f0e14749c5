// Map names: which lumps of a WAD are maps, the order maps are listed in, and what a map's
// name says for a warp (ExMy gives episode and map, MAPxx a number, anything else is a name).
// QtCore alone.
#pragma once

#include "wad_directory.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace brx {

struct MapName {
    enum Kind { episodic, numbered, named };
    Kind kind = named;
    int episode = 0; // ExMy: x
    int number = 0;  // ExMy: y; MAPxx: xx
};

// E1M1 is episode 1, map 1; MAP07 is number 7; anything else (E1M1X, MAP, MYMAP, a number past
// 9999) is named. Letter case counts not.
MapName classify_map(QStringView name);

// Puts upper-case map names in the order maps are listed in, each once: ExMy by episode then
// map, then MAPxx by number, then named maps by name.
void sort_maps(QStringList &maps);

// The maps of a lump directory, in map order without repeats: a marker lump followed by a
// map's own lumps (THINGS, LINEDEFS, SIDEDEFS...) or by TEXTMAP and, later, ENDMAP (UDMF).
QStringList wad_maps(const WadDirectory &directory);

} // namespace brx
