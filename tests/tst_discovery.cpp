// The game library's finders against a made-up machine: a temporary folder holding a home, the
// system's folders, stand-in engines, fake Steam and Heroic lists and Flatpak exports, and
// hostile things (link loops, a FIFO, huge files, endless lists, names with newlines). Files
// are identified by a fake that reads "<header> <game>" from them.
#include "discovery.h"
#include "game_library.h"
#include "helpers.h"
#include "key_values.h"

#include <QSignalSpy>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/time.h>
#endif

using namespace brx;

namespace {

// The made-up machine, one thing a line, paths below the temporary folder:
//   "x bin/gzdoom"            an executable file       "f d/doom2.wad=IWAD doom2"  a file
//   "l bin2->bin1"            a link to another path   "d d/x.wad"                 a folder
//   "p d/fifo.wad"            a FIFO                   "b d/big.wad=IWAD doom"     100 MB, so begun
//   "n d/mod=3000"            that many files d/mod0000.wad... holding "PWAD doom2"
void make(const QString &base, const QString &line) {
    const QChar kind = line[0];
    QString rest = line.mid(2);
    QByteArray bytes;
    if (const qsizetype eq = rest.indexOf(u'='); eq >= 0 && kind != u'l') {
        bytes = rest.mid(eq + 1).toUtf8();
        rest.truncate(eq);
    }
    const QString path = base + u'/' + rest;
    if (kind == u'x') {
        write_file(path, "#!/bin/sh\n", QFile::ExeOwner);
    } else if (kind == u'f') {
        write_file(path, bytes);
    } else if (kind == u'b') {
        write_file(path, bytes);
        QFile file(path);
        QVERIFY(file.resize(100 << 20));
    } else if (kind == u'n') {
        for (int i = 0; i < bytes.toInt(); ++i)
            write_file(path + QStringLiteral("%1.wad").arg(i, 4, 10, QChar(u'0')), "PWAD doom2");
    } else if (kind == u'd') {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == u'l') {
        const QStringList ends = rest.split("->");
        QDir().mkpath(QFileInfo(base + u'/' + ends[0]).absolutePath());
        QVERIFY(QFile::link(base + u'/' + ends[1], base + u'/' + ends[0]));
    } else if (kind == u'p') {
#ifdef Q_OS_UNIX
        QDir().mkpath(QFileInfo(path).absolutePath());
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif
    } else {
        QFAIL(qPrintable("unknown line: " + line));
    }
}

Environment environment(const QString &base, const QStringList &settings) {
    Environment env;
    env.home = base + "/home";
    env.root = base + "/root";
    for (QString setting : settings) {
        setting.replace("$T", base);
        const qsizetype eq = setting.indexOf(u'=');
        const QString key = setting.left(eq), value = setting.mid(eq + 1);
        QString *const fields[] = {&env.path,          &env.doomwaddir,    &env.doomwadpath,
                                   &env.xdg_data_home, &env.xdg_data_dirs, &env.xdg_config_home,
                                   &env.program_dir,   &env.home};
        const QStringList keys{"PATH",          "DOOMWADDIR",      "DOOMWADPATH", "XDG_DATA_HOME",
                               "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "PROGRAM_DIR", "HOME"};
        if (key == "WINDOWS")
            env.windows = true;
        else if (keys.contains(key))
            *fields[keys.indexOf(key)] = value;
        else
            qFatal("unknown setting %s", qPrintable(key));
    }
    return env;
}

// "<header> <game>" in a file's first bytes: an identity made up of them, an IWAD when the
// header is "IWAD" or "PK"; any other file is no IWAD.
Identity fake_identify(const QString &path) {
    static const QHash<QString, Game> games{
        {"doom2", Game::doom2},          {"ultimate", Game::ultimate_doom},
        {"doom", Game::doom_registered}, {"freedoom2", Game::freedoom2},
        {"freedoom1", Game::freedoom1},  {"tnt", Game::tnt},
        {"heretic", Game::heretic},      {"hacx", Game::hacx}};
    QFile file(path);
    const QStringList words =
        QString::fromUtf8(file.open(QIODevice::ReadOnly) ? file.read(64) : "").split(u' ');
    if (words.size() < 2 || (words[0] != "IWAD" && words[0] != "PWAD" && words[0] != "PK"))
        return {};
    const Game game = games.value(words[1].trimmed().remove(QChar(0)), Game::none);
    const bool iwad = words[0] != "PWAD";
    return {game, game_name(game), WadKind::unknown, iwad, iwad};
}

// The 10,000 entries of a hostile list: missing folders, the same one again, and blanks.
QString endless(const QString &real) {
    QStringList entries;
    for (int i = 0; i < 10000; ++i)
        entries.append(i % 3 == 0 ? "$T/missing/" + QString::number(i) : i % 3 == 1 ? real : "");
    entries.append(real);
    return entries.join(u':');
}

using Row = std::tuple<QStringList, QStringList, QStringList, QStringList>;

} // namespace

class tst_discovery : public QObject {
    Q_OBJECT
private slots:
    // Room for the scan's helpers, on a machine of any size.
    void initTestCase() { QThreadPool::globalInstance()->setMaxThreadCount(4); }
    void finds_data();
    void finds();
    void key_values_data();
    void key_values();
    void cache_skips_unchanged_folders();
    void cache_file_data();
    void cache_file();
    void library_scans_off_the_thread();
};

void tst_discovery::finds_data() {
    rows<Row>();
    const auto row = [](const char *name, QStringList machine, QStringList env, QStringList engines,
                        QStringList iwads = {}) {
        QTest::newRow(name) << Row{machine, env, engines, iwads};
    };
    // Engines: the ZDoom family comes first whatever the folders' order.
    row("PATH", {"x bin1/chocolate-doom", "x bin2/gzdoom", "x bin2/notepad", "x bin2/GZDOOM.exe"},
        {"PATH=$T/bin1:$T/bin2"}, {"gzdoom ($T/bin2)", "chocolate-doom ($T/bin1)"});
    // The usual places of engines and IWADs, each engine by its rank, then by its folder.
    row("the usual places",
        {"x root/usr/games/woof", "x root/usr/games/chocolate-doom", "x root/usr/games/freedoom1",
         "x root/usr/games/doom", "x root/usr/local/games/crispy-doom",
         "x home/.local/bin/dsda-doom", "x home/Applications/Linux-UZDoom-4.14.AppImage",
         "x home/Games/lzdoom-3.88.appimage", "x home/Games/notes.AppImage", "x home/Games/gzdoom",
         "x home/Applications/zdoom.AppImage.zsync", "x root/snap/bin/gzdoom",
         "x root/snap/bin/firefox", "x root/var/lib/flatpak/exports/bin/org.zdoom.GZDoom",
         "x root/var/lib/flatpak/exports/bin/org.example.Doom",
         "x home/.local/share/flatpak/exports/bin/com.zandronum.Zandronum",
         "f root/usr/share/games/doom/freedoom2.wad=IWAD freedoom2",
         "f root/usr/local/share/games/doom/freedoom1.wad=IWAD freedoom1",
         "f home/.local/share/games/doom/doom2.wad=IWAD doom2"},
        {},
        {"Linux-UZDoom-4.14.AppImage (~/Applications)", "gzdoom (Snap)", "GZDoom (Flatpak, system)",
         "lzdoom-3.88.appimage (~/Games)", "Zandronum (Flatpak, user)",
         "chocolate-doom ($T/root/usr/games)", "crispy-doom ($T/root/usr/local/games)",
         "woof ($T/root/usr/games)", "dsda-doom (~/.local/bin)"},
        {"Doom II ($T/home/.local/share/games/doom/doom2.wad)",
         "Freedoom: Phase 2 ($T/root/usr/share/games/doom/freedoom2.wad)",
         "Freedoom: Phase 1 ($T/root/usr/local/share/games/doom/freedoom1.wad)"});
    row("not programs", {"f bin/gzdoom", "d bin/zdoom", "l bin/uzdoom->nowhere"}, {"PATH=$T/bin"},
        {});
    row("each once", {"x bin1/gzdoom", "l bin2->bin1", "l bin3/zdoom->bin1/gzdoom", "x bin3/woof"},
        {"PATH=$T/bin1:$T/bin2:$T/bin1:$T/bin3:$T/bin1/"}, {"gzdoom ($T/bin1)", "woof ($T/bin3)"});
    row("Windows",
        {"x win/Brixmoor/brixmoor.exe", "x win/GZDoom/gzdoom.exe",
         "x home/Games/Zandronum/Zandronum.EXE", "x home/Games/chocolate-doom",
         "x home/Games/crispy-doom.exe"},
        {"WINDOWS=1", "PROGRAM_DIR=$T/win/Brixmoor"},
        {"gzdoom.exe ($T/win/GZDoom)", "Zandronum.EXE (~/Games/Zandronum)",
         "crispy-doom.exe (~/Games)"});
    // Hostile machines.
    row("link loops",
        {"l bin/loop->bin/loop", "l bin/gzdoom->bin/zdoom", "l bin/zdoom->bin/gzdoom", "x ok/woof"},
        {"PATH=$T/bin:$T/bin/loop:$T/ok"}, {"woof ($T/ok)"});
    row("PATH of 10,000 entries", {"x bin/gzdoom"}, {"PATH=" + endless("$T/bin")},
        {"gzdoom ($T/bin)"});
    row("names with newlines", {"x new\nline/gzdoom", "x bin/gzdoom\n", "x bin/woof\nwoof"},
        {"PATH=$T/new\nline:$T/bin"}, {"gzdoom ($T/new\nline)"});

    // IWADs: only IWADs, by contents, whatever their names, the best game first.
    row("DOOMWADDIR",
        {"f wads/doom2.wad=IWAD doom2", "f wads/mods.wad=PWAD doom2", "f wads/readme.txt=Read me",
         "f wads/renamed.WAD=IWAD freedoom1", "f wads/.freedoom2=IWAD freedoom2",
         "f other/ud=IWAD ultimate", "l wads/ultimate.wad->other/ud"},
        {"DOOMWADDIR=$T/wads"}, {},
        {"Doom II ($T/wads/doom2.wad)", "Ultimate Doom ($T/wads/ultimate.wad)",
         "Freedoom: Phase 2 ($T/wads/.freedoom2)", "Freedoom: Phase 1 ($T/wads/renamed.WAD)"});
    row("DOOMWADPATH", {"f a/doom.wad=IWAD doom", "f b/tnt.wad=IWAD tnt", "f b/x.wad=IWAD doom2"},
        {"DOOMWADPATH=$T/a:$T/b/tnt.wad:$T/missing"}, {},
        {"Doom ($T/a/doom.wad)", "TNT: Evilution ($T/b/tnt.wad)"});
    // ~/.local/share/games/doom is looked into beside XDG_DATA_HOME.
    row("XDG folders",
        {"f data/games/doom/a.wad=IWAD doom", "f d1/games/doom/b.iwad=IWAD heretic",
         "f d2/games/doom/c.ipk3=PK hacx", "f d2/games/doom/d.pk3=PK hacx",
         "f home/.local/share/games/doom/doom2.wad=IWAD doom2",
         "x data/flatpak/exports/bin/org.zdoom.UZDoom"},
        {"XDG_DATA_HOME=$T/data", "XDG_DATA_DIRS=$T/d1:$T/d2"}, {"UZDoom (Flatpak, user)"},
        {"Doom II ($T/home/.local/share/games/doom/doom2.wad)", "Doom ($T/data/games/doom/a.wad)",
         "HacX ($T/d2/games/doom/c.ipk3)", "Heretic ($T/d1/games/doom/b.iwad)"});
    const QByteArray vdf = "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"$T/lib\"\n"
                           "\t\t\"apps\" { \"2280\" \"123\" }\n\t}\n}\n";
    row("Steam",
        {"f home/.steam/steam/steamapps/libraryfolders.vdf=" + vdf,
         "f home/.steam/steam/steamapps/common/Ultimate Doom/base/DOOM.WAD=IWAD ultimate",
         "f lib/steamapps/common/Ultimate Doom/rerelease/doom2.wad=IWAD doom2",
         "f lib/steamapps/common/Ultimate Doom/base/tnt/TNT.WAD=IWAD tnt",
         "f lib/steamapps/common/Other/data/x.wad=IWAD doom",
         "f flat/steamapps/common/Doom 2/base/DOOM2.WAD=IWAD doom2",
         "f home/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/"
         "libraryfolders.vdf=\"libraryfolders\" { \"1\" \"$T/flat\" }",
         "l home/.steam/root->home/.steam/steam"},
        {}, {},
        {"Doom II ($T/lib/steamapps/common/Ultimate Doom/rerelease/doom2.wad)",
         "Doom II ($T/flat/steamapps/common/Doom 2/base/DOOM2.WAD)",
         "Ultimate Doom ($T/home/.steam/steam/steamapps/common/Ultimate Doom/base/DOOM.WAD)",
         "TNT: Evilution ($T/lib/steamapps/common/Ultimate Doom/base/tnt/TNT.WAD)"});
    row("GOG through Heroic",
        {"f home/.config/heroic/gog_store/installed.json={\"installed\":[{\"appName\":"
         "\"1435848814\",\"install_path\":\"$T/gog/DOOM II\"}, 7, {\"install_path\":[]}]}",
         "f gog/DOOM II/doom2/DOOM2.WAD=IWAD doom2", "f gog/DOOM II/DOOM.WAD=IWAD doom",
         "f home/.var/app/com.heroicgameslauncher.hgl/config/heroic/gog_store/installed.json="
         "{\"installed\":[{\"install_path\":\"$T/gog2\"}]}",
         "f gog2/dosdoom/base/doom.wad=IWAD ultimate"},
        {}, {},
        {"Doom II ($T/gog/DOOM II/doom2/DOOM2.WAD)",
         "Ultimate Doom ($T/gog2/dosdoom/base/doom.wad)", "Doom ($T/gog/DOOM II/DOOM.WAD)"});
    row("Flatpak GZDoom's folders",
        {"f home/.var/app/org.zdoom.GZDoom/.config/gzdoom/doom2.wad=IWAD doom2",
         "f home/.var/app/org.zdoom.UZDoom/data/games/doom/doom.wad=IWAD doom"},
        {}, {},
        {"Doom II ($T/home/.var/app/org.zdoom.GZDoom/.config/gzdoom/doom2.wad)",
         "Doom ($T/home/.var/app/org.zdoom.UZDoom/data/games/doom/doom.wad)"});
    row("each IWAD once",
        {"f w/doom2.wad=IWAD doom2", "l x/games/doom/copy.wad->w/doom2.wad", "l y->w"},
        {"DOOMWADDIR=$T/w", "DOOMWADPATH=$T/w/doom2.wad:$T/y:$T/w/", "XDG_DATA_DIRS=$T/x"}, {},
        {"Doom II ($T/w/doom2.wad)"});
    // Hostile places.
    row("not files",
        {"l w/loop.wad->w/loop2.wad", "l w/loop2.wad->w/loop.wad", "d w/dir.wad", "p w/fifo.wad",
         "l w/gone.wad->w/nothing", "f w/empty.wad", "f w/short.wad=IW", "f w/ok.wad=IWAD doom"},
        {"DOOMWADDIR=$T/w", "DOOMWADPATH=$T/w/fifo.wad:$T/w/loop.wad"}, {}, {"Doom ($T/w/ok.wad)"});
    row("100 MB files",
        {"b w/big.wad=IWAD doom",
         "b home/.steam/steam/steamapps/libraryfolders.vdf="
         "\"libraryfolders\" { \"1\" \"",
         "f home/.steam/steam/steamapps/common/D/base/doom2.wad=IWAD doom2"},
        {"DOOMWADDIR=$T/w"}, {},
        {"Doom II ($T/home/.steam/steam/steamapps/common/D/base/doom2.wad)",
         "Doom ($T/w/big.wad)"});
    row("garbage lists",
        {"f home/.steam/steam/steamapps/libraryfolders.vdf=}}{\"\\\"{{{[",
         "f home/.steam/steam/steamapps/common/D/base/doom2.wad=IWAD doom2",
         "f home/.config/heroic/gog_store/installed.json={\"installed\":{{"},
        {}, {}, {"Doom II ($T/home/.steam/steam/steamapps/common/D/base/doom2.wad)"});
    row("DOOMWADPATH of 10,000 entries", {"f w/doom.wad=IWAD doom"},
        {"DOOMWADPATH=" + endless("$T/w")}, {}, {"Doom ($T/w/doom.wad)"});
    row("names with newlines", {"f new\nline/a\nb.wad=IWAD doom"}, {"DOOMWADDIR=$T/new\nline"}, {},
        {"Doom ($T/new\nline/a\nb.wad)"});
    // Read on several threads: the first, a middle and the last file of 3,000.
    row("3,000 files",
        {"n w/mod=3000", "f w/mod0000.wad=IWAD doom", "f w/mod1500.wad=IWAD tnt",
         "f w/mod2999.wad=IWAD heretic", "l w/mod3000.wad->w/mod1500.wad"},
        {"DOOMWADDIR=$T/w"}, {},
        {"Doom ($T/w/mod0000.wad)", "TNT: Evilution ($T/w/mod1500.wad)",
         "Heretic ($T/w/mod2999.wad)"});
}

void tst_discovery::finds() {
    const auto [machine, settings, engines, iwads] = fetch<Row>();
    QTemporaryDir dir;
    const QString base = dir.path();
    for (QString line : machine)
        make(base, line.replace("$T", base));
    if (QTest::currentTestFailed())
        return;
    const Found found = find_games(environment(base, settings), fake_identify);
    QStringList engine_labels, iwad_labels;
    for (const FoundEngine &engine : found.engines)
        engine_labels.append(engine.label().replace(base, "$T"));
    for (const FoundIwad &iwad : found.iwads)
        iwad_labels.append(iwad.label().replace(base, "$T"));
    QCOMPARE(engine_labels, engines);
    QCOMPARE(iwad_labels, iwads);
}

void tst_discovery::key_values_data() {
    using KvRow = std::tuple<QByteArray, QStringList>;
    rows<KvRow>();
    const auto row = [](const char *name, const QByteArray &text, const QStringList &values) {
        QTest::newRow(name) << KvRow{text, values};
    };
    row("bare strings, comments, tags", "a { // note \"x\" \"y\"\n b c [$WIN32] d \"e f\" }",
        {"a/b=c", "a/d=e f"});
    row("escapes", R"("k" "C:\\Games\\Steam \"1\"\tx\q")", {"k=C:\\Games\\Steam \"1\"\tx\\q"});
    row("unterminated string", "\"a\" { \"b\" \"c", {"a/b=c"});
    row("stray closes and a lone key", "} } \"a\" \"b\" } \"c\"", {"a=b"});
    row("block without key", "{ \"a\" \"b\" }", {"/a=b"});
    row("ten thousand blocks deep",
        QByteArray(10000, '{') + "\"a\" \"b\"" + QByteArray(10000, '}') + "\"c\" \"d\"", {"c=d"});
    row("garbage", QByteArray("\xff\x00\"\x01{\xc3", 6),
        {QString::fromUtf8(QByteArray("\xff\x00=\x01{\xc3", 6))});
    row("a comment to the end", "\"a\" \"b\" //", {"a=b"});
}

void tst_discovery::key_values() {
    const auto [text, values] = fetch<std::tuple<QByteArray, QStringList>>();
    QStringList read;
    for (const KeyValue &value : read_key_values(text))
        read.append(value.keys.join(u'/') + u'=' + value.value);
    QCOMPARE(read, values);
}

// A folder whose last change is long past is not looked into again; one changed since, or just
// now, is. Files are identified afresh each time.
void tst_discovery::cache_skips_unchanged_folders() {
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    make(dir.path(), "f w/doom2.wad=IWAD doom2");
    const Environment env = environment(dir.path(), {"DOOMWADDIR=$T/w"});
    const QByteArray folder = QFile::encodeName(dir.filePath("w"));
    const time_t now = time(nullptr); // one clock: "an hour ago" twice is the same time
    const auto changed = [&](time_t ago) {
        const timeval times[2] = {{now - ago, 0}, {now - ago, 0}};
        QCOMPARE(utimes(folder.constData(), times), 0);
    };
    const auto games = [&](ScanCache &cache) {
        QStringList games;
        for (const FoundIwad &iwad : find_iwads(env, fake_identify, &cache))
            games.append(iwad.display_name);
        return games.join(u',');
    };
    ScanCache fresh;
    QCOMPARE(games(fresh), "Doom II");
    QVERIFY(fresh.folders.isEmpty()); // changed just now

    ScanCache cache;
    changed(3600);
    QCOMPARE(games(cache), "Doom II");
    make(dir.path(), "f w/doom.wad=IWAD doom");
    write_file(dir.filePath("w/doom2.wad"), "PWAD doom2");
    changed(3600);
    QCOMPARE(games(cache), ""); // doom.wad unseen, doom2.wad identified again
    changed(60);
    QCOMPARE(games(cache), "Doom");
#else
    QSKIP("sets a folder's time the POSIX way");
#endif
}

// The cache file a scan starts from, in the cache folder: one a row, "$F" the folder of IWADs
// (its real path) and "$M" its last change. A file that is not one the library wrote is left
// out and replaced; one the library wrote is used where its folder has not changed since.
// Written after the scan: the candidates it then holds for the folder.
void tst_discovery::cache_file_data() {
    using CacheRow = std::tuple<QString, QString, QStringList>;
    rows<CacheRow>();
    const auto row = [](const char *name, const QString &file, const QString &games,
                        const QStringList &kept = {"a.wad", "b.wad"}) {
        QTest::newRow(name) << CacheRow{file, games, kept};
    };
    const QString start = R"({"format":"brixmoor scan cache","version":1,"folders":{"$F":)";
    row("none", "", "Doom II,Doom");
    row("trusted", start + R"({"changed":$M,"candidates":["b.wad"]}}})", "Doom", {"b.wad"});
    row("stale", start + R"({"changed":1000,"candidates":["b.wad"]}}})", "Doom II,Doom");
    row("damaged", "\x01{\"format\":[[[", "Doom II,Doom");
    row("cut short", start + R"({"changed":$M,"candidates":["b.wad")", "Doom II,Doom");
    row("another program's",
        R"({"format":"other","version":1,"folders":{"$F":{"changed":$M,"candidates":["b.wad"]}}})",
        "Doom II,Doom");
    row("another version",
        R"({"format":"brixmoor scan cache","version":2,"folders":{"$F":)"
        R"({"changed":$M,"candidates":["b.wad"]}}})",
        "Doom II,Doom");
    row("a name leading out", start + R"({"changed":$M,"candidates":["b.wad","../x/c.wad"]}}})",
        "Doom II,Doom");
    row("a wrong type", start + R"({"changed":"$M","candidates":["b.wad"]}}})", "Doom II,Doom");
    row("100 MB", "100MB" + start + R"({"changed":$M,"candidates":["b.wad"]}}})", "Doom II,Doom");
    row("a folder in its place", "folder", "Doom II,Doom", {});
}

void tst_discovery::cache_file() {
#ifdef Q_OS_UNIX
    const auto [contents, games, kept] = fetch<std::tuple<QString, QString, QStringList>>();
    QTemporaryDir dir;
    for (const char *line : {"f w/a.wad=IWAD doom2", "f w/b.wad=IWAD doom", "f x/c.wad=IWAD tnt"})
        make(dir.path(), QString::fromLatin1(line));
    const QString folder = canonical(dir.filePath("w"));
    const timeval hour_ago[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
    QCOMPARE(utimes(QFile::encodeName(folder).constData(), hour_ago), 0);
    const QString file = dir.filePath("cache/brixmoor/library.json");
    QString bytes = contents;
    bytes.replace("$F", folder)
        .replace("$M", QString::number(QFileInfo(folder).lastModified().toMSecsSinceEpoch()));
    if (bytes == u"folder") {
        QVERIFY(QDir().mkpath(file));
    } else if (bytes.startsWith(u"100MB")) {
        write_file(file, bytes.mid(5).toUtf8());
        QFile big(file);
        QVERIFY(big.resize(100 << 20));
    } else if (!bytes.isEmpty()) {
        write_file(file, bytes.toUtf8());
    }

    GameLibrary library;
    library.keep_cache_in(file);
    library.scan(environment(dir.path(), {"DOOMWADDIR=$T/w"}), fake_identify);
    library.wait();
    QStringList found;
    for (const FoundIwad &iwad : library.found().iwads)
        found.append(iwad.display_name);
    QCOMPARE(found.join(u','), games);
    QCOMPARE(read_scan_cache(read_file(file)).folders.value(folder).candidates, kept);
#else
    QSKIP("sets a folder's time the POSIX way");
#endif
}

// The scan answers later, on the thread that asked; the library can go before the scan does.
void tst_discovery::library_scans_off_the_thread() {
    QTemporaryDir dir;
    make(dir.path(), "f w/doom2.wad=IWAD doom2");
    make(dir.path(), "x bin/gzdoom");
    const Environment env = environment(dir.path(), {"DOOMWADDIR=$T/w", "PATH=$T/bin"});
    GameLibrary library;
    QSignalSpy scanned(&library, &GameLibrary::scanned);
    library.scan(env, fake_identify);
    QVERIFY(!library.ready());
    QVERIFY(scanned.wait(patience));
    QVERIFY(library.ready());
    QCOMPARE(library.found().engines.size(), 1);
    QCOMPARE(library.found().iwads.size(), 1);
    QCOMPARE(library.found().iwads[0].game, Game::doom2);

    library.scan(env, fake_identify);
    library.wait();
    QCOMPARE(scanned.size(), 2);
    QCoreApplication::processEvents();
    QCOMPARE(scanned.size(), 2);

    auto gone = std::make_unique<GameLibrary>();
    gone->scan(env, fake_identify);
    gone.reset();
    QThreadPool::globalInstance()->waitForDone();
}

QTEST_GUILESS_MAIN(tst_discovery)
#include "tst_discovery.moc"
