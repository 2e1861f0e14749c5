#include "engine_family.h"

#include <array>

namespace brx {

namespace {

// The ZDoom family's command line is the launcher's own.
constexpr EngineFamily zdoom{u"ZDoom",
                             u" -file ",
                             u" -deh ",
                             u" -nomonsters",
                             u" -respawn",
                             u" -fast",
                             u" -skill ",
                             u" -warp ",
                             u" -width ",
                             u" -height ",
                             u" +snd_samplerate ",
                             true,
                             u" -extratic",
                             u" -dup ",
                             u" -join ",
                             u" -host ",
                             u" -altdeath",
                             u" -deathmatch",
                             u" +set timelimit ",
                             u" +set fraglimit "};

// chocolate-doom and crispy-doom: a private server (never the public master server) that starts
// the game once the players are in; no sample rate and no frag limit on the command line.
constexpr EngineFamily chocolate{
    u"Chocolate",     u" -file ",      u" -deh ",     u" -nomonsters",
    u" -respawn",     u" -fast",       u" -skill ",   u" -warp ",
    u" -width ",      u" -height ",    nullptr,       true,
    u" -extratics 1", u" -dup ",       u" -connect ", u" -privateserver -nodes ",
    u" -altdeath",    u" -deathmatch", u" -timer ",   nullptr};

// woof-doom plays network games as the Chocolate family does but has no window size options.
constexpr EngineFamily woof{
    u"Chocolate",     u" -file ",      u" -deh ",     u" -nomonsters",
    u" -respawn",     u" -fast",       u" -skill ",   u" -warp ",
    nullptr,          nullptr,         nullptr,       true,
    u" -extratics 1", u" -dup ",       u" -connect ", u" -privateserver -nodes ",
    u" -altdeath",    u" -deathmatch", u" -timer ",   nullptr};

// dsda-doom, prboom-plus and glboom-plus: single-player only here.
constexpr EngineFamily boom{u"Boom",   u" -file ",  u" -deh ",  u" -nomonsters", u" -respawn",
                            u" -fast", u" -skill ", u" -warp ", u" -width ",     u" -height ",
                            nullptr,   false,       nullptr,    nullptr,         nullptr,
                            nullptr,   nullptr,     nullptr,    nullptr,         nullptr};

struct KnownEngine {
    const char16_t *name; // lower case, without ".exe"
    const EngineFamily *family;
};
constexpr std::array known_engines{
    KnownEngine{u"chocolate-doom", &chocolate}, KnownEngine{u"crispy-doom", &chocolate},
    KnownEngine{u"woof-doom", &woof},           KnownEngine{u"woof", &woof},
    KnownEngine{u"dsda-doom", &boom},           KnownEngine{u"prboom-plus", &boom},
    KnownEngine{u"glboom-plus", &boom}};

} // namespace

QString engine_name(const QString &doom_exe) {
    const qsizetype slash = std::max(doom_exe.lastIndexOf(u'/'), doom_exe.lastIndexOf(u'\\'));
    return doom_exe.mid(slash + 1);
}

const EngineFamily &engine_family(const QString &doom_exe) {
    QString name = engine_name(doom_exe).toLower();
    if (name.endsWith(u".exe"))
        name.chop(4);
    for (const KnownEngine &known : known_engines) {
        if (name == known.name)
            return *known.family;
    }
    return zdoom;
}

} // namespace brx
