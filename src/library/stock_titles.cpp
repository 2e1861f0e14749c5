#include "stock_titles.h"

#include "map_names.h"

namespace brx {

namespace {

const char *const doom_titles[4][9] = {
    {"Hangar", "Nuclear Plant", "Toxin Refinery", "Command Control", "Phobos Lab",
     "Central Processing", "Computer Station", "Phobos Anomaly", "Military Base"},
    {"Deimos Anomaly", "Containment Area", "Refinery", "Deimos Lab", "Command Center",
     "Halls of the Damned", "Spawning Vats", "Tower of Babel", "Fortress of Mystery"},
    {"Hell Keep", "Slough of Despair", "Pandemonium", "House of Pain", "Unholy Cathedral",
     "Mt. Erebus", "Limbo", "Dis", "Warrens"},
    {"Hell Beneath", "Perfect Hatred", "Sever The Wicked", "Unruly Evil", "They Will Repent",
     "Against Thee Wickedly", "And Hell Followed", "Unto The Cruel", "Fear"},
};

const char *const doom2_titles[32] = {
    "Entryway",          "Underhalls",          "The Gantlet",         "The Focus",
    "The Waste Tunnels", "The Crusher",         "Dead Simple",         "Tricks and Traps",
    "The Pit",           "Refueling Base",      "'O' of Destruction!", "The Factory",
    "Downtown",          "The Inmost Dens",     "Industrial Zone",     "Suburbs",
    "Tenements",         "The Courtyard",       "The Citadel",         "Gotcha!",
    "Nirvana",           "The Catacombs",       "Barrels O' Fun",      "The Chasm",
    "Bloodfalls",        "The Abandoned Mines", "Monster Condo",       "The Spirit World",
    "The Living End",    "Icon of Sin",         "Wolfenstein",         "Grosse"};

const char *const tnt_titles[32] = {"System Control",
                                    "Human BBQ",
                                    "Power Control",
                                    "Wormhole",
                                    "Hanger",
                                    "Open Season",
                                    "Prison",
                                    "Metal",
                                    "Stronghold",
                                    "Redemption",
                                    "Storage Facility",
                                    "Crater",
                                    "Nukage Processing",
                                    "Steel Works",
                                    "Dead Zone",
                                    "Deepest Reaches",
                                    "Processing Area",
                                    "Mill",
                                    "Shipping/respawning",
                                    "Central Processing",
                                    "Administration Center",
                                    "Habitat",
                                    "Lunar Mining Project",
                                    "Quarry",
                                    "Baron's Den",
                                    "Ballistyx",
                                    "Mount Pain",
                                    "Heck",
                                    "River Styx",
                                    "Last Call",
                                    "Pharaoh",
                                    "Caribbean"};

const char *const plutonia_titles[32] = {"Congo",
                                         "Well of Souls",
                                         "Aztec",
                                         "Caged",
                                         "Ghost Town",
                                         "Baron's Lair",
                                         "Caughtyard",
                                         "Realm",
                                         "Abattoire",
                                         "Onslaught",
                                         "Hunted",
                                         "Speed",
                                         "The Crypt",
                                         "Genesis",
                                         "The Twilight",
                                         "The Omen",
                                         "Compound",
                                         "Neurosphere",
                                         "NME",
                                         "The Death Domain",
                                         "Slayer",
                                         "Impossible Mission",
                                         "Tombstone",
                                         "The Final Frontier",
                                         "The Temple of Darkness",
                                         "Bunker",
                                         "Anti-christ",
                                         "The Sewers",
                                         "Odyssey of Noises",
                                         "The Gateway of Hell",
                                         "Cyberden",
                                         "Go 2 It"};

bool episodes(Game game) {
    return game == Game::doom_shareware || game == Game::doom_registered ||
           game == Game::ultimate_doom;
}

// The 32 titles of a Doom II game's table, or none.
const char *const *numbered_titles(Game game) {
    switch (game) {
    case Game::doom2:
        return doom2_titles;
    case Game::tnt:
        return tnt_titles;
    case Game::plutonia:
        return plutonia_titles;
    default:
        return nullptr;
    }
}

} // namespace

QString stock_title(Game game, const QString &map) {
    const MapName name = classify_map(map);
    if (name.kind == MapName::episodic && episodes(game) && name.episode >= 1 &&
        name.episode <= 4 && name.number >= 1 && name.number <= 9)
        return QString::fromLatin1(doom_titles[name.episode - 1][name.number - 1]);
    const char *const *titles = numbered_titles(game);
    if (name.kind == MapName::numbered && titles && name.number >= 1 && name.number <= 32)
        return QString::fromLatin1(titles[name.number - 1]);
    return {};
}

QString dehacked_title_key(Game game, const QString &map) {
    const MapName name = classify_map(map);
    if (name.kind == MapName::episodic && name.episode >= 1 && name.episode <= 4 &&
        name.number >= 1 && name.number <= 9)
        return QStringLiteral("HUSTR_") + map.toUpper();
    if (name.kind != MapName::numbered || name.number < 1 || name.number > 32)
        return {};
    const char16_t *prefix = game == Game::plutonia ? u"PHUSTR_"
                             : game == Game::tnt    ? u"THUSTR_"
                                                    : u"HUSTR_";
    return QString::fromUtf16(prefix) + QString::number(name.number);
}

QString original_title_text(Game game, const QString &map) {
    const QString title = stock_title(game, map);
    if (title.isEmpty())
        return {};
    const MapName name = classify_map(map);
    if (name.kind == MapName::episodic)
        return map.toUpper() + QStringLiteral(": ") + title;
    return QStringLiteral("level ") + QString::number(name.number) + QStringLiteral(": ") +
           title.toLower();
}

} // namespace brx
