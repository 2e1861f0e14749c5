// The WAD library: which game an IWAD is by what it holds.
#include "helpers.h"
#include "wad_identity.h"
#include "wads.h"

#include <QBuffer>

using namespace brx;

namespace {

// The lumps of registered Doom that shareware lacks, and a map's own lumps.
const QList<QByteArray> doom1{"E1M1", "E2M1",   "E2M2",   "E2M3",   "E2M4",   "E2M5",
                              "E2M6", "E2M7",   "E2M8",   "E2M9",   "E3M1",   "E3M2",
                              "E3M3", "E3M4",   "E3M5",   "E3M6",   "E3M7",   "E3M8",
                              "E3M9", "DPHOOF", "BFGGA0", "HEADA1", "CYBRA1", "SPIDA1D1"};

// The bytes; the game, its name and kind, and whether the bytes are a WAD at all.
using IdentityRow = std::tuple<QByteArray, Game, QString, WadKind, bool>;

} // namespace

class tst_library : public QObject {
    Q_OBJECT
private slots:
    void identity_data();
    void identity();
    void freedoom();
    void ranks();
};

void tst_library::identity_data() {
    rows<IdentityRow>();
    const auto row = [](const char *name, const QList<QByteArray> &lumps, Game game,
                        const char *title, WadKind kind, const QByteArray &magic = "IWAD") {
        QTest::newRow(name) << IdentityRow{make_wad(magic, lumps), game, title, kind, true};
    };
    row("shareware", {"PLAYPAL", "E1M1", "THINGS"}, Game::doom_shareware, "Doom (shareware)",
        WadKind::doom);
    row("registered", doom1, Game::doom_registered, "Doom", WadKind::doom);
    row("ultimate", doom1 + QList<QByteArray>{"E4M2"}, Game::ultimate_doom, "Ultimate Doom",
        WadKind::doom);
    row("doom2", {"MAP01", "MAP02"}, Game::doom2, "Doom II", WadKind::doom2);
    row("tnt", {"MAP01", "REDTNT2"}, Game::tnt, "TNT: Evilution", WadKind::doom2);
    row("plutonia", {"CAMO1", "MAP01"}, Game::plutonia, "The Plutonia Experiment", WadKind::doom2);
    row("freedoom1", doom1 + QList<QByteArray>{"E4M2", "FREEDOOM"}, Game::freedoom1,
        "Freedoom: Phase 1", WadKind::doom);
    row("freedoom2", {"MAP01", "FREEDOOM", "REDTNT2"}, Game::freedoom2, "Freedoom: Phase 2",
        WadKind::doom2);
    row("freedm", {"MAP01", "FREEDOOM", "FREEDM"}, Game::freedm, "FreeDM", WadKind::doom2);
    row("chex", {"E1M1", "E4M1", "W94_1", "POSSH0M0"}, Game::chex, "Chex Quest", WadKind::doom);
    row("chex 3", {"E1M1", "CYCLA1", "FLMBA1", "MAPINFO"}, Game::chex, "Chex Quest", WadKind::doom);
    row("hacx", {"MAP01", "HACX-R"}, Game::hacx, "HacX", WadKind::doom2);
    row("heretic", {"E1M1", "E2M1", "TITLE", "MUS_E1M1"}, Game::heretic, "Heretic", WadKind::doom);
    row("hexen", {"TITLE", "MAP01", "MAP40", "WINNOWR"}, Game::hexen, "Hexen", WadKind::doom2);
    row("strife", {"MAP01", "MAP33", "ENDSTRF"}, Game::strife, "Strife", WadKind::doom2);
    row("pwad with both maps", {"E1M1", "MAP01", "FREEDOOM"}, Game::none, "", WadKind::doom2,
        "PWAD");
    row("iwad of no known game", {"PLAYPAL"}, Game::none, "", WadKind::unknown);
    QTest::newRow("truncated") << IdentityRow{make_wad("IWAD", {"MAP01"}).chopped(1), Game::none,
                                              "", WadKind::unknown, false};
    QTest::newRow("garbage") << IdentityRow{QByteArray(300, '\x9c'), Game::none, "",
                                            WadKind::unknown, false};
}

void tst_library::identity() {
    auto [bytes, game, name, kind, wad] = fetch<IdentityRow>();
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const Identity found = identify_wad(buffer);
    QCOMPARE(found.game, game);
    QCOMPARE(found.name, name);
    QCOMPARE(found.kind, kind);
    QCOMPARE(found.iwad, game != Game::none);
    QCOMPARE(found.wad, wad);
}

// The real IWADs Debian's freedoom package installs, where they are.
void tst_library::freedoom() {
    const QString folder = "/usr/share/games/doom/";
    if (!QFile::exists(folder + "freedoom1.wad") || !QFile::exists(folder + "freedoom2.wad"))
        QSKIP("Debian's freedoom package is not installed");
    QCOMPARE(identify_wad(folder + "freedoom1.wad").game, Game::freedoom1);
    QCOMPARE(identify_wad(folder + "freedoom2.wad").game, Game::freedoom2);
    if (QFile::exists(folder + "freedm.wad"))
        QCOMPARE(identify_wad(folder + "freedm.wad").game, Game::freedm);
}

// The best IWAD first; the families that play what.
void tst_library::ranks() {
    const QList<Game> order{Game::doom2,     Game::ultimate_doom, Game::doom_registered,
                            Game::freedoom2, Game::freedoom1,     Game::none};
    for (qsizetype i = 1; i < order.size(); ++i)
        QVERIFY(iwad_rank(order[i - 1]) < iwad_rank(order[i]));
    QVERIFY(family_plays(Game::freedoom2, u"Boom") && family_plays(Game::hexen, u"ZDoom"));
    QVERIFY(!family_plays(Game::hexen, u"Chocolate") && !family_plays(Game::heretic, u"Boom"));
    QVERIFY(!family_plays(Game::none, u"ZDoom"));
}

QTEST_GUILESS_MAIN(tst_library)
#include "tst_library.moc"
