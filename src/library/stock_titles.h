// The titles the IWADs' own maps have when nothing renames them, and the DEHACKED string each
// map's title comes from. QtCore alone.
#pragma once

#include "wad_identity.h"

#include <QString>

namespace brx {

// "Dead Simple" for MAP07 of Doom II; empty when the game has no such map or no title table
// (Freedoom's titles are in its IWAD's DEHACKED lump).
QString stock_title(Game game, const QString &map);

// The DEHACKED string that holds the map's title in this game: HUSTR_E1M1, HUSTR_7,
// PHUSTR_7 (Plutonia), THUSTR_7 (TNT); empty for a map no string names.
QString dehacked_title_key(Game game, const QString &map);

// The text of that string in the original executable ("level 7: dead simple",
// "E1M1: Hangar"), which a DEHACKED `Text` replacement names as its old text.
QString original_title_text(Game game, const QString &map);

} // namespace brx
