#include "engine_family.h"

#include <array>

namespace brx {

namespace {

// The ZDoom family's command line is the launcher's own.
constexpr EngineFamily zdoom{.name = u"ZDoom",
                             .sample_rate = u" +snd_samplerate ",
                             .network = true,
                             .extratic = u" -extratic",
                             .dup = u" -dup ",
                             .join = u" -join ",
                             .host = u" -host ",
                             .altdeath = u" -altdeath",
                             .deathmatch = u" -deathmatch",
                             .timelimit = u" +set timelimit ",
                             .fraglimit = u" +set fraglimit "};

// chocolate-doom and crispy-doom: a private server (never the public master server) that starts
// the game once the players are in; no sample rate and no frag limit on the command line.
constexpr EngineFamily chocolate{.name = u"Chocolate",
                                 .network = true,
                                 .extratic = u" -extratics 1",
                                 .dup = u" -dup ",
                                 .join = u" -connect ",
                                 .host = u" -privateserver -nodes ",
                                 .altdeath = u" -altdeath",
                                 .deathmatch = u" -deathmatch",
                                 .timelimit = u" -timer "};

// woof-doom plays network games as the Chocolate family does but has no window size options.
constexpr EngineFamily woof = [] {
    EngineFamily family = chocolate;
    family.width = family.height = nullptr;
    return family;
}();

// dsda-doom, prboom-plus and glboom-plus: single-player only here.
constexpr EngineFamily boom{.name = u"Boom"};

// Every engine the launcher knows by name, ZDoom family first: the order in which found engines
// are offered.
constexpr std::array known_engines{
    KnownEngine{u"uzdoom", u"UZDoom", &zdoom, u"org.zdoom.UZDoom"},
    KnownEngine{u"gzdoom", u"GZDoom", &zdoom, u"org.zdoom.GZDoom"},
    KnownEngine{u"vkdoom", u"VKDoom", &zdoom},
    KnownEngine{u"lzdoom", u"LZDoom", &zdoom},
    KnownEngine{u"qzdoom", u"QZDoom", &zdoom},
    KnownEngine{u"zdoom", u"ZDoom", &zdoom},
    KnownEngine{u"zandronum", u"Zandronum", &zdoom, u"com.zandronum.Zandronum"},
    KnownEngine{u"skulltag", u"Skulltag", &zdoom},
    KnownEngine{u"zdoomgl", u"ZDoomGL", &zdoom},
    KnownEngine{u"chocolate-doom", u"Chocolate Doom", &chocolate},
    KnownEngine{u"crispy-doom", u"Crispy Doom", &chocolate},
    KnownEngine{u"woof", u"Woof!", &woof},
    KnownEngine{u"woof-doom", u"Woof!", &woof},
    KnownEngine{u"dsda-doom", u"DSDA-Doom", &boom},
    KnownEngine{u"prboom-plus", u"PrBoom+", &boom},
    KnownEngine{u"glboom-plus", u"GLBoom+", &boom}};

} // namespace

QString engine_name(const QString &doom_exe) {
    const qsizetype slash = std::max(doom_exe.lastIndexOf(u'/'), doom_exe.lastIndexOf(u'\\'));
    return doom_exe.mid(slash + 1);
}

std::span<const KnownEngine> engines_known() {
    return known_engines;
}

const KnownEngine *known_engine(const QString &doom_exe) {
    QString name = engine_name(doom_exe).toLower();
    if (name.endsWith(u".exe"))
        name.chop(4);
    for (const KnownEngine &known : known_engines) {
        if (name == known.name)
            return &known;
    }
    return nullptr;
}

const EngineFamily &engine_family(const QString &doom_exe) {
    const KnownEngine *known = known_engine(doom_exe);
    return known ? *known->family : zdoom;
}

} // namespace brx
