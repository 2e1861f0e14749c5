// Engine families: how each engine family takes the launch's options. The family is known
// from the engine's file name; any name not listed is a ZDoom-family engine.
#pragma once

#include <QString>

namespace brx {

// One family's option literals, each with its own leading blank. A null literal is an option
// the family has no equivalent for: it is left out.
struct EngineFamily {
    const char16_t *name; // as named in messages, "Chocolate"
    const char16_t *file, *deh, *nomonsters, *respawn, *fast, *skill, *warp;
    const char16_t *width, *height, *sample_rate;
    // Network play; a family without it (network false) refuses to host or join.
    bool network;
    const char16_t *extratic; // sent by both host and joining player
    const char16_t *dup;      // followed by the number
    const char16_t *join;     // followed by the host's address
    const char16_t *host;     // followed by the number of players
    const char16_t *altdeath, *deathmatch;
    const char16_t *timelimit, *fraglimit; // followed by the typed limit
};

// The family of the engine at this path: its last component, `/` or `\` separated, in any
// case, with or without ".exe".
const EngineFamily &engine_family(const QString &doom_exe);

// The engine's file name as shown in messages: the path's last component.
QString engine_name(const QString &doom_exe);

} // namespace brx
