// Engine families: how each engine family takes the launch's options. The family is known
// from the engine's file name; any name not listed is a ZDoom-family engine. The table of known
// engines is also what the game library recognises installed engines by.
#pragma once

#include <QString>

#include <span>

namespace brx {

// One family's option literals, each with its own leading blank; the options every family
// shares are preset. A null literal is an option the family has no equivalent for: it is left
// out.
struct EngineFamily {
    const char16_t *name = nullptr; // "ZDoom", "Chocolate", "Boom"
    const char16_t *file = u" -file ", *deh = u" -deh ";
    const char16_t *nomonsters = u" -nomonsters", *respawn = u" -respawn", *fast = u" -fast";
    const char16_t *skill = u" -skill ", *warp = u" -warp ";
    const char16_t *width = u" -width ", *height = u" -height ", *sample_rate = nullptr;
    // Network play; a family without it (network false) refuses to host or join.
    bool network = false;
    const char16_t *extratic = nullptr; // sent by both host and joining player
    const char16_t *dup = nullptr;      // followed by the number
    const char16_t *join = nullptr;     // followed by the host's address
    const char16_t *host = nullptr;     // followed by the number of players
    const char16_t *altdeath = nullptr, *deathmatch = nullptr;
    const char16_t *timelimit = nullptr, *fraglimit = nullptr; // followed by the typed limit
};

// An engine the launcher knows by name.
struct KnownEngine {
    const char16_t *name;                 // file name, lower case, without ".exe": "gzdoom"
    const char16_t *display_name;         // "GZDoom"
    const EngineFamily *family;           //
    const char16_t *flatpak_id = nullptr; // its Flatpak application: "org.zdoom.GZDoom"
};

// Every known engine, the ZDoom family first, then the others; the order found engines are
// offered in.
std::span<const KnownEngine> engines_known();

// The known engine named by this path's last component (any case, with or without ".exe"), or
// nothing.
const KnownEngine *known_engine(const QString &doom_exe);

// The family of the engine at this path: its last component, `/` or `\` separated, in any
// case, with or without ".exe".
const EngineFamily &engine_family(const QString &doom_exe);

// The engine's file name as shown in messages: the path's last component.
QString engine_name(const QString &doom_exe);

} // namespace brx
