// Which game an IWAD is, by what it holds and never by its file name: the "IWAD" header and
// the marker lumps each game's IWAD carries. Each game has its display name, the kind of level
// list it has and the engine families that play it. QtCore alone.
#pragma once

#include "wad_directory.h"
#include "wad_kind.h"

#include <QString>
#include <QStringView>

class QIODevice;

namespace brx {

enum class Game {
    none, // not an IWAD, or an IWAD of no game known here
    doom_shareware,
    doom_registered,
    ultimate_doom,
    doom2,
    tnt,
    plutonia,
    freedoom1,
    freedoom2,
    freedm,
    chex,
    hacx,
    heretic,
    hexen,
    strife,
};

struct Identity {
    Game game = Game::none;
    QString name;                    // "Freedoom: Phase 2"; empty for none
    WadKind kind = WadKind::unknown; // the level list: episodes or MAPxx, also for a PWAD
    bool iwad = false;               // an "IWAD" header and a game known here
    bool wad = false;                // a WAD at all (IWAD or PWAD)
};

// The identity of a lump directory: the first game in the table whose marker lumps the
// directory holds all of, when its header says "IWAD". A PWAD is never an IWAD, whatever it
// holds; its kind is still that of its maps.
Identity identify_wad(const WadDirectory &directory);
Identity identify_wad(QIODevice &device);
// The same for a file: anything but a readable regular file is no WAD; opening never waits.
Identity identify_wad(const QString &path);

// The game's display name ("Freedoom: Phase 2"), empty for none.
QString game_name(Game game);

// Whether an engine of this family (EngineFamily::name: "ZDoom", "Chocolate", "Boom") plays
// the game: the Doom-engine games every family, the others the ZDoom family (and Chex Quest
// and HacX the Chocolate family too).
bool family_plays(Game game, QStringView family);

// How good a choice the game is as the IWAD to offer first: lower is better (Doom II,
// Ultimate Doom, Doom, Freedoom: Phase 2, Phase 1, ...); none ranks last.
int iwad_rank(Game game);

} // namespace brx
