#include "wad_identity.h"

#include <QFile>
#include <QList>

#include <array>
#include <initializer_list>

namespace brx {

namespace {

constexpr unsigned zdoom = 1, chocolate = 2, boom = 4, every_family = zdoom | chocolate | boom;

struct GameFacts {
    Game game;
    const char16_t *name;
    WadKind kind;
    unsigned families;
};

// In the order of iwad_rank.
constexpr std::array games{
    GameFacts{Game::doom2, u"Doom II", WadKind::doom2, every_family},
    GameFacts{Game::ultimate_doom, u"Ultimate Doom", WadKind::doom, every_family},
    GameFacts{Game::doom_registered, u"Doom", WadKind::doom, every_family},
    GameFacts{Game::freedoom2, u"Freedoom: Phase 2", WadKind::doom2, every_family},
    GameFacts{Game::freedoom1, u"Freedoom: Phase 1", WadKind::doom, every_family},
    GameFacts{Game::tnt, u"TNT: Evilution", WadKind::doom2, every_family},
    GameFacts{Game::plutonia, u"The Plutonia Experiment", WadKind::doom2, every_family},
    GameFacts{Game::freedm, u"FreeDM", WadKind::doom2, every_family},
    GameFacts{Game::doom_shareware, u"Doom (shareware)", WadKind::doom, every_family},
    GameFacts{Game::chex, u"Chex Quest", WadKind::doom, zdoom | chocolate},
    GameFacts{Game::hacx, u"HacX", WadKind::doom2, zdoom | chocolate},
    GameFacts{Game::heretic, u"Heretic", WadKind::doom, zdoom},
    GameFacts{Game::hexen, u"Hexen", WadKind::doom2, zdoom},
    GameFacts{Game::strife, u"Strife", WadKind::doom2, zdoom},
};

const GameFacts *facts(Game game) {
    for (const GameFacts &f : games)
        if (f.game == game)
            return &f;
    return nullptr;
}

struct Marker {
    Game game;
    std::initializer_list<const char *> lumps;
};

// The lumps registered Doom's IWAD holds and shareware's lacks.
#define BRX_DOOM1                                                                                  \
    "E1M1", "E2M1", "E2M2", "E2M3", "E2M4", "E2M5", "E2M6", "E2M7", "E2M8", "E2M9", "E3M1",        \
        "E3M2", "E3M3", "E3M4", "E3M5", "E3M6", "E3M7", "E3M8", "E3M9", "DPHOOF", "BFGGA0",        \
        "HEADA1", "CYBRA1", "SPIDA1D1"

// Tested in this order, the first whose lumps are all there wins: the games built on another's
// lumps come before it (FreeDM and Freedoom before Doom, TNT and Plutonia before Doom II, which
// any IWAD with a MAP01 is last of all).
const Marker markers[] = {
    {Game::hacx, {"MAP01", "HACX-E"}},
    {Game::hacx, {"MAP01", "HACX-R"}},
    {Game::chex, {"E1M1", "CYCLA1", "FLMBA1", "MAPINFO"}},
    {Game::chex, {"E1M1", "E4M1", "W94_1", "POSSH0M0"}},
    {Game::strife, {"MAP35", "I_RELB", "FXAA_F"}},
    {Game::strife, {"MAP01", "MAP33", "ENDSTRF"}},
    {Game::hexen, {"TITLE", "MAP01", "MAP40", "WINNOWR"}},
    {Game::hexen, {"TITLE", "MAP60", "CLUS1MSG"}},
    {Game::hexen, {"TITLE", "MAP01", "WINNOWR"}},
    {Game::heretic, {"E1M1", "TITLE", "MUS_E1M1"}},
    {Game::freedm, {"MAP01", "FREEDM"}},
    {Game::freedoom2, {"MAP01", "FREEDOOM"}},
    {Game::freedoom1, {"E1M1", "E2M1", "E3M1", "FREEDOOM"}},
    {Game::ultimate_doom, {BRX_DOOM1, "E4M2"}},
    {Game::doom_registered, {BRX_DOOM1}},
    {Game::doom_shareware, {"E1M1"}},
    {Game::tnt, {"MAP01", "REDTNT2"}},
    {Game::plutonia, {"MAP01", "CAMO1"}},
    {Game::doom2, {"MAP01"}},
};

#undef BRX_DOOM1

} // namespace

Identity identify_wad(const WadDirectory &directory) {
    Identity identity;
    identity.wad = true;
    identity.kind = wad_kind(directory);
    if (!directory.iwad)
        return identity;
    // The names once, for the markers look for many of them.
    QList<quint64> keys(directory.size());
    for (qsizetype i = 0; i < keys.size(); ++i)
        keys[i] = directory.key(i);
    const auto has = [&keys](const char *lump) { return keys.contains(lump_key(lump)); };
    for (const Marker &marker : markers) {
        bool all = true;
        for (const char *lump : marker.lumps)
            all = all && has(lump);
        if (!all)
            continue;
        const GameFacts *f = facts(marker.game);
        identity.game = f->game;
        identity.name = QString::fromUtf16(f->name);
        identity.kind = f->kind;
        identity.iwad = true;
        break;
    }
    return identity;
}

Identity identify_wad(QIODevice &device) {
    const std::optional<WadDirectory> directory = read_wad_directory(device);
    return directory ? identify_wad(*directory) : Identity{};
}

Identity identify_wad(const QString &path) {
    QFile file;
    return open_regular_file(file, path) ? identify_wad(file) : Identity{};
}

QString game_name(Game game) {
    const GameFacts *f = facts(game);
    return f ? QString::fromUtf16(f->name) : QString();
}

bool family_plays(Game game, QStringView family) {
    const GameFacts *f = facts(game);
    if (!f)
        return false;
    const unsigned bit = family == u"ZDoom"       ? zdoom
                         : family == u"Chocolate" ? chocolate
                         : family == u"Boom"      ? boom
                                                  : 0u;
    return (f->families & bit) != 0;
}

int iwad_rank(Game game) {
    for (std::size_t i = 0; i < games.size(); ++i)
        if (games[i].game == game)
            return int(i);
    return int(games.size());
}

} // namespace brx
