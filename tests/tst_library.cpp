// The WAD library: which game an IWAD is by what it holds, the maps a game's files hold and
// their titles from each source, and what a map's name gives a warp; the presets file.
#include "helpers.h"
#include "map_list.h"
#include "map_names.h"
#include "presets.h"
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

// The IWAD's bytes; the external files (name, bytes); the list, each map as
// "MAP07 Dead Simple @file" ("@" and the file's name).
using MapsRow = std::tuple<QByteArray, QList<LumpBytes>, QStringList>;

// A Doom II IWAD holding these maps.
QByteArray doom2_iwad(const QList<QByteArray> &maps) {
    QList<LumpBytes> lumps;
    for (const QByteArray &map : maps)
        lumps += binary_map(map);
    return make_wad("IWAD", lumps);
}

// A PWAD of these lumps, each map given as its marker alone gets its binary lumps.
QByteArray pwad(const QList<LumpBytes> &lumps) {
    QList<LumpBytes> all;
    for (const LumpBytes &lump : lumps)
        all += lump.second.isNull() ? binary_map(lump.first) : QList<LumpBytes>{lump};
    return make_wad("PWAD", all);
}

} // namespace

class tst_library : public QObject {
    Q_OBJECT
private slots:
    void identity_data();
    void identity();
    void ranks();
    void maps_data();
    void maps();
    void freedoom_titles();
    void warp_names();
    void presets_file_data();
    void presets_file();
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

void tst_library::maps_data() {
    rows<MapsRow>();
    const QByteArray iwad = doom2_iwad({"MAP01", "MAP07"});
    const auto row = [&](const char *name, const QList<LumpBytes> &files, const QStringList &maps) {
        QTest::newRow(name) << MapsRow{iwad, files, maps};
    };
    row("the IWAD alone: stock titles", {},
        {"MAP01 Entryway @iwad.wad", "MAP07 Dead Simple @iwad.wad"});
    row("the external maps first, in map order, UDMF and named",
        {{"a.wad", pwad({{"MYMAP", {}},
                         {"MAP10", ""},
                         {"TEXTMAP", "x"},
                         {"ZNODES", ""},
                         {"ENDMAP", ""},
                         {"E1M1", {}},
                         {"MAP02", {}},
                         {"MAP01", {}},
                         {"GL_MAP01", ""},
                         {"GL_VERT", ""},
                         {"LOOSE", ""},
                         {"TEXTMAP", ""}})}},
        {"E1M1 @a.wad", "MAP01 Entryway @a.wad", "MAP02 Underhalls @a.wad",
         "MAP10 Refueling Base @a.wad", "MYMAP @a.wad", "MAP07 Dead Simple @iwad.wad"});
    row("names in lower case or with bytes after their NUL",
        {{"a.wad",
          make_wad("PWAD", QList<LumpBytes>{{"map03", ""},
                                            {QByteArray("things\0z", 8), "t"},
                                            {"LineDefs", "l"},
                                            {"UMAPinfo", "MAP MAP03 { levelname = \"Low\" }"}})}},
        {"MAP03 Low @a.wad", "MAP01 Entryway @iwad.wad", "MAP07 Dead Simple @iwad.wad"});
    row("a text map without its ENDMAP: the binary maps and lumps after it still count",
        {{"a.wad", pwad({{"MAP05", ""},
                         {"TEXTMAP", "x"},
                         {"MAP06", {}},
                         {"UMAPINFO", "MAP MAP06 { levelname = \"Six\" }"},
                         {"MAP08", ""},
                         {"TEXTMAP", ""}})}},
        {"MAP06 Six @a.wad", "MAP01 Entryway @iwad.wad", "MAP07 Dead Simple @iwad.wad"});
    row("UMAPINFO, then MAPINFO, then DEHACKED",
        {{"a.wad", pwad({{"MAP01", {}},
                         {"MAP02", {}},
                         {"MAP03", {}},
                         {"UMAPINFO", "// maps\nmap map01 { levelname = \"\\\"Uno\\\"\"\n"
                                      " label = clear music = \"D_RUNNIN\" }"},
                         {"MAPINFO", "map MAP01 \"One\" { next = \"MAP02\" }\n"
                                     "map 2 \"Two\"\n sky1 SKY1 0 ; old style"},
                         {"DEHACKED", "Patch File for DeHackEd v3.0\n[STRINGS]\n"
                                      "HUSTR_1 = level 1: first\nHUSTR_2 = level 2: second\n"
                                      "HUSTR_3 = level 3: th\\\n  ird\n"}})}},
        {"MAP01 \"Uno\" @a.wad", "MAP02 Two @a.wad", "MAP03 third @a.wad",
         "MAP07 Dead Simple @iwad.wad"});
    row("the last file wins",
        {{"a.wad", pwad({{"MAP07", {}}, {"UMAPINFO", "MAP MAP07 { levelname = \"A\" }"}})},
         {"b.wad", pwad({{"MAP07", {}}, {"UMAPINFO", "MAP MAP07 { levelname = \"B\" }"}})},
         {"c.wad", pwad({{"UMAPINFO", "MAP MAP07 { levelname = \"C\" }"}})}},
        {"MAP07 C @b.wad", "MAP01 Entryway @iwad.wad"});
    row("ZMAPINFO looked up in LANGUAGE; the same WAD's MAPINFO unread",
        {{"a.wad",
          pwad({{"MAP01", {}},
                {"MAP07", {}},
                {"ZMAPINFO", "map MAP01 lookup \"M1\" {}\nmap MAP07 \"$M7\" {}"},
                {"MAPINFO", "map MAP01 \"Wrong\""},
                {"LANGUAGE",
                 "[de]\nM1 = \"Eins\";\n[enu default]\n"
                 "M1 = \"MAP01: Hydro\" \"electric\";\n$ifgame(doom2) M7 = \"Seven\";"}})}},
        {"MAP01 Hydroelectric @a.wad", "MAP07 Seven @a.wad"});
    row("DEHACKED Text replacing an original title, in a patch file",
        {{"a.deh", "Patch File for DeHackEd v3.0\n\nText 17 15\nlevel 1: entryway"
                   "level 1: my map\n"}},
        {"MAP01 my map @iwad.wad", "MAP07 Dead Simple @iwad.wad"});
    QList<LumpBytes> plutonia = binary_map("MAP01") + binary_map("MAP02");
    plutonia.append(LumpBytes{"CAMO1", {}});
    QTest::newRow("Plutonia's own strings")
        << MapsRow{make_wad("IWAD", plutonia),
                   {{"a.deh", "[STRINGS]\nHUSTR_1 = level 1: no\nPHUSTR_1 = level 1: yes\n"}},
                   {"MAP01 yes @iwad.wad", "MAP02 Well of Souls @iwad.wad"}};
#ifdef BRX_HAVE_LIBZIP
    row("a pk3: maps/*.wad entries and its text lumps, a huge one left out",
        {{"a.pk3", make_zip({{"maps/map03.wad", pwad({{"MAP03", {}}})},
                             {"maps/sub/MAP04.wad", "x"},
                             {"MAPS/Hub.WAD", "x"},
                             {"mapinfo.txt", "map MAP03 \"Zip Three\"\nmap HUB \"Hub\""},
                             {"sprites/umapinfo.txt", "MAP MAP03 { levelname = \"No\" }"},
                             {"umapinfo.txt",
                              "MAP MAP03 { levelname = \"Huge\" }" + QByteArray(5 << 20, ' ')}})}},
        {"MAP03 Zip Three @a.pk3", "HUB Hub @a.pk3", "MAP01 Entryway @iwad.wad",
         "MAP07 Dead Simple @iwad.wad"});
#endif
    row("damaged lumps are skipped; what came before stays",
        {{"a.wad",
          pwad({{"MAP01", {}},
                {"MAP02", {}},
                {"UMAPINFO", "MAP MAP01 { levelname = \"Kept\" } MAP MAP02 { levelname = }"},
                {"MAPINFO", "map MAP02 \"Two\" { map MAP01 \"Inner\" "},
                {"DEHACKED", "Text 99999 3\nabc"}})},
         {"garbage.wad", QByteArray(100, '\xff')},
         {"missing.wad", QByteArray()}},
        {"MAP01 Kept @a.wad", "MAP02 Two @a.wad", "MAP07 Dead Simple @iwad.wad"});
}

void tst_library::maps() {
    auto [iwad, files, expected] = fetch<MapsRow>();
    QTemporaryDir dir;
    write_file(dir.filePath("iwad.wad"), iwad);
    QStringList paths;
    for (const auto &[name, bytes] : files) {
        paths.append(dir.filePath(QString::fromLatin1(name)));
        if (!bytes.isEmpty())
            write_file(paths.last(), bytes);
    }
    const MapList list = map_list(dir.filePath("iwad.wad"), paths);
    QStringList found;
    for (const MapEntry &entry : list.maps)
        found.append((entry.map + u' ' + entry.title).trimmed() + " @" +
                     QFileInfo(entry.file).fileName());
    QCOMPARE(found, expected);
    QCOMPARE(list.maps.size() - list.iwad_first,
             expected.filter(QStringLiteral("@iwad.wad")).size());
}

// The real IWADs Debian's freedoom package installs, where they are (their directories lie
// past 16 MiB): the games, and the titles in their own DEHACKED lumps.
void tst_library::freedoom_titles() {
    const QString folder = "/usr/share/games/doom/";
    if (!QFile::exists(folder + "freedoom1.wad") || !QFile::exists(folder + "freedoom2.wad"))
        QSKIP("Debian's freedoom package is not installed");
    QCOMPARE(identify_wad(folder + "freedoom1.wad").game, Game::freedoom1);
    QCOMPARE(identify_wad(folder + "freedoom2.wad").game, Game::freedoom2);
    const MapList one = map_list(folder + "freedoom1.wad", {});
    QCOMPARE(one.maps.size(), 36);
    QCOMPARE(one.maps.first().title, "C1M1: Outer Prison");
    QCOMPARE(one.maps[20].map, "E3M3");
    QCOMPARE(one.maps[20].title, "C3M3: Derelict Temple");
    QCOMPARE(one.maps.last().title, "C4M9: Operations");
    const MapList two = map_list(folder + "freedoom2.wad", {});
    QCOMPARE(two.maps.size(), 32);
    QCOMPARE(two.maps.first().title, "Hydroelectric Plant");
    QCOMPARE(two.maps[21].title, "Remanasu");
    QCOMPARE(two.maps.last().title, "Not Sure");
}

// What a map's name gives a warp: episode and map, a number, or the name itself.
void tst_library::warp_names() {
    const auto is = [](const char *map, MapName::Kind kind, int episode, int number) {
        const MapName name = classify_map(QString::fromLatin1(map));
        return name.kind == kind && name.episode == episode && name.number == number;
    };
    QVERIFY(is("E1M1", MapName::episodic, 1, 1));
    QVERIFY(is("e5m10", MapName::episodic, 5, 10));
    QVERIFY(is("MAP07", MapName::numbered, 0, 7));
    QVERIFY(is("MAP33", MapName::numbered, 0, 33));
    for (const char *named : {"MAP", "MAPXX", "MAP07A", "E1M", "EM1", "E1X1", "MYMAP", "MAP12345"})
        QVERIFY2(is(named, MapName::named, 0, 0), named);
}

namespace {

// What a read found and holds, in one line: the kind; each preset as name, dialog, engine,
// IWAD, skill, level, files, other options, host page, limits; the last games likewise.
QString summary(const PresetsFound &found, const Presets &presets) {
    static const char *const kinds[] = {"data", "missing", "damaged", "unreadable"};
    const auto game = [](const GameChoices &g) {
        return QStringLiteral("%1 %2 [%3] [%4] p%5 %6%7/%8%9 %10")
            .arg(g.skill)
            .arg(g.level, g.externalwad.left(20), g.other_options)
            .arg(g.page)
            .arg(g.timelimit ? "T" : "t", g.timetext_enabled ? "+" : "-", g.fragtext,
                 g.fragtext_enabled ? "+" : "-", g.gogame ? "go" : "stop");
    };
    QStringList parts{QString::fromLatin1(kinds[found.kind])};
    for (const Preset &preset : presets.presets)
        parts << preset.name + '|' + game_kind_name(preset.kind) + '|' + preset.engine + '|' +
                     preset.iwad + '|' + game(preset.game);
    for (const GameKind kind : {GameKind::solo, GameKind::multi}) {
        if (const GameChoices *last = presets.last(kind))
            parts << "last " + game_kind_name(kind) + '|' + game(*last);
    }
    return parts.join(u'\n');
}

// The bytes, what the read holds (see summary()), and texts the file written back holds.
using PresetsRow = std::tuple<QByteArray, QString, QStringList>;

} // namespace

// What the reader makes of a file, and what a rewrite keeps: a file read, written and read
// again reads the same, and keeps the fields this launcher does not know.
void tst_library::presets_file_data() {
    rows<PresetsRow>();
    const auto row = [](const char *name, const QByteArray &bytes, const QString &held,
                        const QStringList &kept = {}) {
        QTest::newRow(name) << PresetsRow{bytes, held, kept};
    };
    const QString defaults = "3  [] [] p0 t-/30- go";
    row("whole", R"({"version": 1, "presets": [
        {"name": "Sigil \"UV\" 100%", "dialog": "solo", "engine": "/g/woof",
         "iwad": "/d/DOOM.WAD", "game": {"skill": 4, "level": "E5M1", "gogame": false,
         "externalwad": "/w/a b.wad /w/c.pk3", "other_options": "-fast +set x \"1\""}},
        {"name": "DM", "dialog": "multi", "game": {"page": 1, "timelimit": true,
         "timetext_enabled": true, "fragtext": "50"}}],
        "last": {"solo": {"skill": 0, "level": "Map07"}, "multi": {"page": 1}}})",
        "data\nSigil \"UV\" 100%|solo|/g/woof|/d/DOOM.WAD|4 E5M1 [/w/a b.wad /w/c.pk3] "
        "[-fast +set x \"1\"] p0 t-/30- stop\nDM|multi|||3  [] [] p1 T+/50- go\n"
        "last solo|0 Map07 [] [] p0 t-/30- go\nlast multi|3  [] [] p1 t-/30- go");
    row("missing fields take defaults", R"({"presets": [{"name": "x"}]})",
        "data\nx|solo|||" + defaults);
    row("wrong types and ranges take defaults",
        R"({"presets": [{"name": "x", "dialog": 7, "engine": [], "game": {"skill": 9,
            "level": 7, "gogame": "no", "page": 1.5, "timetext": null, "fragtext": {}}}],
            "last": {"solo": 3, "multi": [1]}})",
        "data\nx|solo|||" + defaults);
    row("unknown fields kept",
        R"({"future": [1, 2], "presets": [{"name": "x", "colour": "red",
            "game": {"demo": "d.lmp"}}, {"note": "no name"}, {"name": "x", "twin": true}],
            "last": {"solo": {"ghost": 1}, "later": {}}})",
        "data\nx|solo|||" + defaults + "\nlast solo|" + defaults,
        {R"("future")", R"("colour": "red")", R"("demo": "d.lmp")", R"("note": "no name")",
         R"("twin": true)", R"("ghost": 1)", R"("later")"});
    row("an empty object", "{}", "data");
    row("a list", "[]", "damaged");
    row("presets no list", R"({"presets": {"name": "x"}})", "damaged");
    row("nested past any limit", QByteArray(200000, '[') + QByteArray(200000, ']'), "damaged");
    row("10 MB of garbage", QByteArray(10 << 20, '{'), "damaged");
    row("10 MB of files",
        R"({"presets": [{"name": "big", "game": {"externalwad": ")" + QByteArray(10 << 20, 'a') +
            R"("}}]})",
        "data\nbig|solo|||3  [" + QString(20, 'a') + "] [] p0 t-/30- go");
}

void tst_library::presets_file() {
    const auto [bytes, held, kept] = fetch<PresetsRow>();
    Presets presets;
    const PresetsFound found = read_presets(bytes, presets);
    QCOMPARE(summary(found, presets), held);
    if (found.kind != PresetsFound::data)
        return;
    const QByteArray written = write_presets(presets);
    for (const QString &text : kept)
        QVERIFY2(written.contains(text.toUtf8()), qPrintable(text));
    Presets again;
    QCOMPARE(summary(read_presets(written, again), again), held);
    QCOMPARE(write_presets(again), written);

    // The file: none, a folder, and one read as the bytes are; changed in place to other
    // bytes of the same size, at the same time, it is read afresh, and read again as it was
    // once put back.
    QTemporaryDir dir;
    const QString path = dir.filePath("brx-presets.json");
    QCOMPARE(read_presets_file(path, again).kind, PresetsFound::missing);
    QDir().mkdir(path);
    QCOMPARE(read_presets_file(path, again).kind, PresetsFound::missing);
    QDir().rmdir(path);
    write_file(path, bytes);
    QCOMPARE(summary(read_presets_file(path, again), again), held);
    QFile file(path);
    const QDateTime written_at = QFileInfo(path).lastModified();
    QVERIFY(file.open(QIODevice::ReadWrite) && file.write("[") == 1 && file.flush());
    QVERIFY(file.setFileTime(written_at, QFileDevice::FileModificationTime));
    file.close();
    QCOMPARE(QFileInfo(path).lastModified(), written_at);
    QCOMPARE(QFileInfo(path).size(), bytes.size());
    QCOMPARE(summary(read_presets_file(path, again), again), "damaged");
    write_file(path, bytes);
    QCOMPARE(summary(read_presets_file(path, again), again), held);
}

QTEST_GUILESS_MAIN(tst_library)
#include "tst_library.moc"
