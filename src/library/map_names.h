// Map names: which lumps of a WAD are maps, the order maps are listed in, and what a map's
// name says for a warp (ExMy gives episode and map, MAPxx a number, anything else is a name).
// QtCore alone.
#pragma once

#include "wad_directory.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <span>

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

// Whether map `a` comes before map `b` in the order maps are listed in: ExMy by episode then
// map, then MAPxx by number, then named maps by name.
bool map_order_less(QStringView a, QStringView b);

// Puts upper-case map names in that order, each once.
void sort_maps(QStringList &maps);

// The maps of a lump directory, in map order without repeats: a marker lump followed by a
// map's own lumps (THINGS, LINEDEFS, SIDEDEFS...) or by TEXTMAP and, later, ENDMAP (UDMF).
// In the same pass, the index of each lump whose lump_key is one of `names` is appended to
// `named` (when given), in directory order.
QStringList wad_maps(const WadDirectory &directory, std::span<const quint64> names = {},
                     QList<qsizetype> *named = nullptr);

} // namespace brx
