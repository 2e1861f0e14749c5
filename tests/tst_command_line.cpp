#include "command_line.h"
#include "helpers.h"
#include "requests.h"

#include <QDir>
#include <QTest>

using namespace brx;

namespace {

using requests::host;
using requests::join;
using requests::solo;

Settings engine(const QString &exe, qint16 card = 2, qint16 nomd2 = 0) {
    return {exe, "DOOM2.WAD", "640", "480", "44100", card, nomd2};
}

const QString tail = " -width 640 -height 480 +snd_samplerate 44100";

} // namespace

class tst_command_line : public QObject {
    Q_OBJECT
private slots:
    void lines_data();
    void lines();
    void zdoomgl_data();
    void zdoomgl();
};

void tst_command_line::lines_data() {
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<LaunchRequest>("request");
    QTest::addColumn<QString>("line"); // empty: a join without an address, nothing to start

    const Settings games{
        "C:\\Games\\zdoom.exe", "C:\\Games\\DOOM2.WAD", "640", "480", "44100", 2, 0};
    QTest::newRow("single-player: two files, two monster options, skill, warp")
        << games << "IWAD: Doom2"
        << with(solo,
                [](auto &r) {
                    r.externalwad = " C:\\Wads\\a.wad C:\\Wads\\b.wad";
                    r.respawnmonsters = r.fastmonsters = 1;
                    r.level = "Map07";
                })
        << "C:\\Games\\zdoom.exe -iwad C:\\Games\\DOOM2.WAD -file  C:\\Wads\\a.wad "
           "C:\\Wads\\b.wad -respawn -fast -skill  4 -warp 07 -width 640 -height 480 "
           "+snd_samplerate 44100";
    QTest::newRow("hosting with ZDoomGL: renderer, patch, mode, time limit, dup")
        << Settings{"C:\\Games\\zdoomgl.exe", "C:\\Games\\DOOM.WAD", "800", "600", "22050", 1, 1}
        << "IWAD: Doom"
        << with(host,
                [](auto &r) {
                    r.dehacked = "C:\\Wads\\patch.deh";
                    r.level = "E2M3";
                    r.skill = "2";
                    r.mode = r.timelimit = r.host_dup = 1;
                    r.playernum = "4";
                })
        << "C:\\Games\\zdoomgl.exe -iwad C:\\Games\\DOOM.WAD -deh C:\\Wads\\patch.deh -paltex "
           "-3dfx -nomd2 -skill  3 -warp 2 3 -extratic -dup  2 -host 4 -altdeath +set timelimit 20 "
           "-width 800 -height 600 +snd_samplerate 22050";
    QTest::newRow("joining with dup: no game options")
        << games << "IWAD: Doom2"
        << with(join,
                [](auto &r) {
                    r.client_dup = 1;
                    r.clientdup_value = "3";
                    r.nomonsters = r.respawnmonsters = r.fastmonsters = 1;
                    r.mode = r.timelimit = r.fraglimit = r.host_dup = 1;
                })
        << "C:\\Games\\zdoom.exe -iwad C:\\Games\\DOOM2.WAD -extratic -dup 3 -join 10.0.0.2 "
           "-width 640 -height 480 +snd_samplerate 44100";

    const QString d2 = "IWAD: Doom2";
    const QString zd = "zdoom.exe -iwad DOOM2.WAD";
    const QString gl = "/g/zdoomgl.exe -iwad DOOM2.WAD";
    const QString go = " -skill  4 -warp 01";
    const QString hosted = " -skill  4 -warp 01 -extratic -host 2";
    const Settings zdoom = engine("zdoom.exe");

    // Renderer options: ZDoomGL only, by card, then nomd2 when it is exactly 1.
    QTest::newRow("card 0") << engine("/g/zdoomgl.exe", 0) << d2 << solo
                            << gl + " -paltex -3dfx -sprmaxsurf 4096" + go + tail;
    QTest::newRow("card 1, nomd2 1")
        << engine("/g/zdoomgl.exe", 1, 1) << d2 << solo << gl + " -paltex -3dfx -nomd2" + go + tail;
    QTest::newRow("card 2") << engine("/g/zdoomgl.exe", 2) << d2 << solo << gl + go + tail;
    QTest::newRow("card 3, nomd2 -1")
        << engine("/g/zdoomgl.exe", 3, -1) << d2 << solo << gl + go + tail;
    QTest::newRow("ZDoom ignores card and nomd2")
        << engine("zdoom.exe", 0, 1) << d2 << solo << zd + go + tail;
    QTest::newRow("renderer on a join line")
        << engine("/g/zdoomgl.exe", 1, 1) << d2 << with(join, [](auto &r) { r.dehacked = "p"; })
        << gl + " -deh p -paltex -3dfx -nomd2 -extratic -join 10.0.0.2" + tail;
    QTest::newRow("empty settings") << Settings{"", "", "", "", "", 2, 0} << d2 << solo
                                    << " -iwad " + go + " -width  -height  +snd_samplerate ";

    // The file part, inserted as it stands; blanks count as given.
    QTest::newRow("files and patch") << zdoom << d2 << with(solo, [](auto &r) {
        r.externalwad = " /My Games/a.wad b.wad";
        r.dehacked = "/My Games/p.deh";
    }) << zd + " -file  /My Games/a.wad b.wad -deh /My Games/p.deh" + go + tail;
    QTest::newRow("files only") << zdoom << d2
                                << with(solo, [](auto &r) { r.externalwad = " a.wad"; })
                                << zd + " -file  a.wad" + go + tail;
    QTest::newRow("patch only") << zdoom << d2 << with(solo, [](auto &r) { r.dehacked = "p"; })
                                << zd + " -deh p" + go + tail;
    QTest::newRow("blanks") << zdoom << d2
                            << with(solo, [](auto &r) { r.externalwad = r.dehacked = " "; })
                            << zd + " -file   -deh  " + go + tail;

    // Monster options in their order, each for exactly 1, also without gogame.
    QTest::newRow("all monster options") << zdoom << d2 << with(solo, [](auto &r) {
        r.nomonsters = r.respawnmonsters = r.fastmonsters = 1;
        r.externalwad = "a.wad";
    }) << zd + " -file a.wad -nomonsters -respawn -fast" + go + tail;
    QTest::newRow("monster flags other than 1") << zdoom << d2 << with(solo, [](auto &r) {
        r.nomonsters = -1;
        r.respawnmonsters = 2;
    }) << zd + go + tail;
    QTest::newRow("gogame 0") << zdoom << d2 << with(solo, [](auto &r) {
        r.gogame = 0;
        r.fastmonsters = 1;
    }) << zd + " -fast" + tail;
    QTest::newRow("gogame -1") << zdoom << d2 << with(solo, [](auto &r) { r.gogame = -1; })
                               << zd + tail;

    // Warp numbers by the caption, compared with its case; positions beyond the level's end
    // give nothing.
    const auto level = [](const char *name) {
        return with(solo, [name](auto &r) { r.level = name; });
    };
    QTest::newRow("Doom E2M3") << zdoom << "IWAD: Doom" << level("E2M3")
                               << zd + " -skill  4 -warp 2 3" + tail;
    QTest::newRow("Doom E2") << zdoom << "IWAD: Doom" << level("E2")
                             << zd + " -skill  4 -warp 2 " + tail;
    QTest::newRow("Doom, no level")
        << zdoom << "IWAD: Doom" << level("") << zd + " -skill  4 -warp  " + tail;
    QTest::newRow("Doom2 Map0") << zdoom << d2 << level("Map0") << zd + " -skill  4 -warp 0" + tail;
    QTest::newRow("IWAD: Unknown")
        << zdoom << "IWAD: Unknown" << level("Map07") << zd + " -skill  4 -warp " + tail;
    QTest::newRow("IWAD: DOOM2") << zdoom << "IWAD: DOOM2" << level("Map07")
                                 << zd + " -skill  4 -warp " + tail;

    // Skill: the number, plus 1 when hosting, with a blank in its sign place.
    const auto skill = [](LaunchRequest request, const char *text) {
        return with(request, [text](auto &r) { r.skill = text; });
    };
    QTest::newRow("skill 4 without blank")
        << zdoom << d2 << skill(solo, "4") << zd + " -skill  4 -warp 01" + tail;
    QTest::newRow("no skill") << zdoom << d2 << skill(solo, "")
                              << zd + " -skill  0 -warp 01" + tail;
    QTest::newRow("hosting skill 0")
        << zdoom << d2 << skill(host, "0") << zd + " -skill  1 -warp 01 -extratic -host 2" + tail;
    QTest::newRow("hosting, gogame 0") << zdoom << d2 << with(host, [](auto &r) { r.gogame = 0; })
                                       << zd + " -extratic -host 2" + tail;

    // Host options: mode, limits as typed, dup as a number.
    const auto mode = [](qint16 value) { return with(host, [value](auto &r) { r.mode = value; }); };
    QTest::newRow("mode 0") << zdoom << d2 << mode(0) << zd + hosted + tail;
    QTest::newRow("mode 1") << zdoom << d2 << mode(1) << zd + hosted + " -altdeath" + tail;
    QTest::newRow("mode 2") << zdoom << d2 << mode(2) << zd + hosted + " -deathmatch" + tail;
    QTest::newRow("mode 3") << zdoom << d2 << mode(3) << zd + hosted + tail;
    QTest::newRow("both limits after the mode") << zdoom << d2 << with(host, [](auto &r) {
        r.mode = 2;
        r.timelimit = r.fraglimit = 1;
    }) << zd + hosted + " -deathmatch +set timelimit 20 +set fraglimit 30" + tail;
    QTest::newRow("empty time limit") << zdoom << d2 << with(host, [](auto &r) {
        r.timelimit = 1;
        r.timetext = "";
    }) << zd + hosted + " +set timelimit " + tail;
    QTest::newRow("host dup") << zdoom << d2 << with(host, [](auto &r) { r.host_dup = 1; })
                              << zd + " -skill  4 -warp 01 -extratic -dup  2 -host 2" + tail;
    QTest::newRow("single-player ignores host options") << zdoom << d2 << with(solo, [](auto &r) {
        r.mode = 2;
        r.timelimit = r.fraglimit = r.host_dup = 1;
    }) << zd + go + tail;

    // Joining: the file part, the network options and the address, nothing of the game.
    QTest::newRow("join without dup")
        << zdoom << d2 << join << zd + " -extratic -join 10.0.0.2" + tail;
    QTest::newRow("join dup as chosen") << zdoom << d2 << with(join, [](auto &r) {
        r.client_dup = 1;
        r.clientdup_value = "03";
        r.externalwad = "a.wad";
        r.nomonsters = r.timelimit = r.host_dup = 1;
    }) << zd + " -file a.wad -extratic -dup 03 -join 10.0.0.2" + tail;
    QTest::newRow("address of blanks") << zdoom << d2 << with(join, [](auto &r) { r.hostip = " "; })
                                       << zd + " -extratic -join  " + tail;
    QTest::newRow("no address") << zdoom << d2 << with(join, [](auto &r) { r.hostip = ""; })
                                << QString();
    QTest::newRow("no address when hosting") << zdoom << d2 << host << zd + hosted + tail;
}

void tst_command_line::lines() {
    QFETCH(Settings, settings);
    QFETCH(QString, caption);
    QFETCH(LaunchRequest, request);
    QFETCH(QString, line);
    const EngineCommand command = engine_command(settings, request, caption);
    QCOMPARE(command.command_line, line);
    QCOMPARE(command.missing_host_address, line.isEmpty());
}

void tst_command_line::zdoomgl_data() {
    QTest::addColumn<QString>("exe");
    QTest::addColumn<bool>("is_zdoomgl");
    QTest::addColumn<QString>("folder"); // null: not compared (not a path of this system)

    const QString here = QDir::toNativeSeparators(QDir::currentPath());
    QTest::newRow("zdoomgl.exe") << "/g/zdoomgl.exe" << true << "/g";
    QTest::newRow("in capitals") << "C:\\GAMES\\ZDOOMGL.EXE" << true << QString();
    QTest::newRow("in small letters") << "c:\\games\\zdoomgl.exe" << true << QString();
    QTest::newRow("a name ending in zdoomgl.exe") << "/g/myZDoomGL.exe" << true << "/g";
    QTest::newRow("a folder with blanks") << "/My Games/zdoomgl.exe" << true << "/My Games";
    QTest::newRow("exactly the name") << "zdoomgl.exe" << true << here;
    QTest::newRow("zdoom.exe") << "/g/zdoom.exe" << false << "";
    QTest::newRow("a trailing blank") << "/g/zdoomgl.exe " << false << "";
    QTest::newRow("zdoomgl.exe.bak") << "/g/zdoomgl.exe.bak" << false << "";
    QTest::newRow("shorter than 11") << "oomgl.exe" << false << "";
}

void tst_command_line::zdoomgl() {
    QFETCH(QString, exe);
    QFETCH(bool, is_zdoomgl);
    QFETCH(QString, folder);
    const EngineCommand command = engine_command(engine(exe), join, "IWAD: Doom2");
    QCOMPARE(command.zdoomgl, is_zdoomgl);
    if (!folder.isNull())
        QCOMPARE(command.folder, folder);
}

QTEST_APPLESS_MAIN(tst_command_line)
#include "tst_command_line.moc"
