// The engine's command line from the stored settings, a launch request and the IWAD
// indicator's caption: every option, its order and its blanks.
#include "command_line.h"
#include "helpers.h"
#include "requests.h"

#include <QDir>
#include <QTest>

using namespace brx;

namespace {

// The settings as brx.cfg holds them: "exe,iwad,width,height,rate,card,nomd2".
Settings settings(const QString &text) {
    const QStringList v = text.split(u',');
    return {v[0], v[1], v[2], v[3], v[4], v[5].toShort(), v[6].toShort()};
}

void row(const char *name, const QString &stored, const char *caption, const LaunchRequest &request,
         const QString &line) {
    QTest::newRow(name) << settings(stored) << QString::fromLatin1(caption) << request << line;
}

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
    using requests::host, requests::join, requests::solo;
    const char *d2 = "IWAD: Doom2";
    const QString zdoom = "zdoom.exe,DOOM2.WAD,640,480,44100,2,0";
    const QString zd = "zdoom.exe -iwad DOOM2.WAD";
    const QString gl = "/g/zdoomgl.exe -iwad DOOM2.WAD";
    const QString go = " -skill  4 -warp 01";
    const QString hosted = go + " -extratic -host 2";
    const QString tail = " -width 640 -height 480 +snd_samplerate 44100";

    row("single-player: two files, two monster options, skill, warp",
        "C:\\Games\\zdoom.exe,C:\\Games\\DOOM2.WAD,640,480,44100,2,0", d2,
        changed(solo, "externalwad= C:\\Wads\\a.wad C:\\Wads\\b.wad; respawnmonsters=1; "
                      "fastmonsters=1; level=Map07"),
        "C:\\Games\\zdoom.exe -iwad C:\\Games\\DOOM2.WAD -file  C:\\Wads\\a.wad C:\\Wads\\b.wad "
        "-respawn -fast -skill  4 -warp 07 -width 640 -height 480 +snd_samplerate 44100");
    row("hosting with ZDoomGL: renderer, patch, mode, time limit, dup",
        "C:\\Games\\zdoomgl.exe,C:\\Games\\DOOM.WAD,800,600,22050,1,1", "IWAD: Doom",
        changed(host, "dehacked=C:\\Wads\\patch.deh; level=E2M3; skill=2; mode=1; timelimit=1; "
                      "host_dup=1; playernum=4"),
        "C:\\Games\\zdoomgl.exe -iwad C:\\Games\\DOOM.WAD -deh C:\\Wads\\patch.deh -paltex -3dfx "
        "-nomd2 -skill  3 -warp 2 3 -extratic -dup  2 -host 4 -altdeath +set timelimit 20 -width "
        "800 -height 600 +snd_samplerate 22050");
    row("joining with dup: no game options",
        "C:\\Games\\zdoom.exe,C:\\Games\\DOOM2.WAD,640,480,44100,2,0", d2,
        changed(join, "client_dup=1; clientdup_value=3; nomonsters=1; respawnmonsters=1; mode=1; "
                      "timelimit=1; fraglimit=1; host_dup=1"),
        "C:\\Games\\zdoom.exe -iwad C:\\Games\\DOOM2.WAD -extratic -dup 3 -join 10.0.0.2 -width "
        "640 -height 480 +snd_samplerate 44100");

    // Renderer options: ZDoomGL only, by card, then nomd2 when it is exactly 1.
    const QString glcfg = "/g/zdoomgl.exe,DOOM2.WAD,640,480,44100,";
    row("card 0", glcfg + "0,0", d2, solo, gl + " -paltex -3dfx -sprmaxsurf 4096" + go + tail);
    row("card 1, nomd2 1", glcfg + "1,1", d2, solo, gl + " -paltex -3dfx -nomd2" + go + tail);
    row("card 2", glcfg + "2,0", d2, solo, gl + go + tail);
    row("card 3, nomd2 -1", glcfg + "3,-1", d2, solo, gl + go + tail);
    row("ZDoom ignores card and nomd2", "zdoom.exe,DOOM2.WAD,640,480,44100,0,1", d2, solo,
        zd + go + tail);
    row("renderer on a join line", glcfg + "1,1", d2, changed(join, "dehacked=p"),
        gl + " -deh p -paltex -3dfx -nomd2 -extratic -join 10.0.0.2" + tail);
    row("empty settings", ",,,,,2,0", d2, solo,
        " -iwad " + go + " -width  -height  +snd_samplerate ");

    // The file part, inserted as it stands; blanks count as given.
    row("files and patch", zdoom, d2,
        changed(solo, "externalwad= /My Games/a.wad b.wad; dehacked=/My Games/p.deh"),
        zd + " -file  /My Games/a.wad b.wad -deh /My Games/p.deh" + go + tail);
    row("files only", zdoom, d2, changed(solo, "externalwad= a.wad"),
        zd + " -file  a.wad" + go + tail);
    row("patch only", zdoom, d2, changed(solo, "dehacked=p"), zd + " -deh p" + go + tail);
    row("blanks", zdoom, d2, changed(solo, "externalwad= ; dehacked= "),
        zd + " -file   -deh  " + go + tail);

    // Monster options in their order, each for exactly 1, also without gogame.
    row("all monster options", zdoom, d2,
        changed(solo, "nomonsters=1; respawnmonsters=1; fastmonsters=1; externalwad=a.wad"),
        zd + " -file a.wad -nomonsters -respawn -fast" + go + tail);
    row("monster flags other than 1", zdoom, d2, changed(solo, "nomonsters=-1; fastmonsters=2"),
        zd + go + tail);
    row("gogame 0", zdoom, d2, changed(solo, "gogame=0; fastmonsters=1"), zd + " -fast" + tail);
    row("gogame -1", zdoom, d2, changed(solo, "gogame=-1"), zd + tail);

    // Warp numbers by the caption, compared with its case; positions beyond the level's end
    // give nothing.
    row("Doom E2M3", zdoom, "IWAD: Doom", changed(solo, "level=E2M3"),
        zd + " -skill  4 -warp 2 3" + tail);
    row("Doom E2", zdoom, "IWAD: Doom", changed(solo, "level=E2"),
        zd + " -skill  4 -warp 2 " + tail);
    row("Doom, no level", zdoom, "IWAD: Doom", changed(solo, "level="),
        zd + " -skill  4 -warp  " + tail);
    row("Doom2 Map0", zdoom, d2, changed(solo, "level=Map0"), zd + " -skill  4 -warp 0" + tail);
    row("IWAD: Unknown", zdoom, "IWAD: Unknown", solo, zd + " -skill  4 -warp " + tail);
    row("IWAD: DOOM2", zdoom, "IWAD: DOOM2", solo, zd + " -skill  4 -warp " + tail);

    // Skill: the number, plus 1 when hosting, with a blank in its sign place.
    row("skill 4 without blank", zdoom, d2, changed(solo, "skill=4"), zd + go + tail);
    row("no skill", zdoom, d2, changed(solo, "skill="), zd + " -skill  0 -warp 01" + tail);
    row("hosting skill 0", zdoom, d2, changed(host, "skill=0"),
        zd + " -skill  1 -warp 01 -extratic -host 2" + tail);
    row("hosting, gogame 0", zdoom, d2, changed(host, "gogame=0"),
        zd + " -extratic -host 2" + tail);

    // Host options: mode, limits as typed, dup as a number.
    row("mode 0", zdoom, d2, host, zd + hosted + tail);
    row("mode 1", zdoom, d2, changed(host, "mode=1"), zd + hosted + " -altdeath" + tail);
    row("mode 2", zdoom, d2, changed(host, "mode=2"), zd + hosted + " -deathmatch" + tail);
    row("mode 3", zdoom, d2, changed(host, "mode=3"), zd + hosted + tail);
    row("both limits after the mode", zdoom, d2, changed(host, "mode=2; timelimit=1; fraglimit=1"),
        zd + hosted + " -deathmatch +set timelimit 20 +set fraglimit 30" + tail);
    row("empty time limit", zdoom, d2, changed(host, "timelimit=1; timetext="),
        zd + hosted + " +set timelimit " + tail);
    row("host dup", zdoom, d2, changed(host, "host_dup=1"),
        zd + go + " -extratic -dup  2 -host 2" + tail);
    row("single-player ignores host options", zdoom, d2,
        changed(solo, "mode=2; timelimit=1; fraglimit=1; host_dup=1"), zd + go + tail);

    // Joining: the file part, the network options and the address, nothing of the game.
    row("join without dup", zdoom, d2, join, zd + " -extratic -join 10.0.0.2" + tail);
    row("join dup as chosen", zdoom, d2,
        changed(join, "client_dup=1; clientdup_value=03; externalwad=a.wad; nomonsters=1"),
        zd + " -file a.wad -extratic -dup 03 -join 10.0.0.2" + tail);
    row("address of blanks", zdoom, d2, changed(join, "hostip= "),
        zd + " -extratic -join  " + tail);
    row("no address", zdoom, d2, changed(join, "hostip="), QString());
    row("no address when hosting", zdoom, d2, host, zd + hosted + tail);
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

// ZDoomGL is told by the last 11 characters of the engine path, in any case; it runs in the
// folder that holds it.
void tst_command_line::zdoomgl_data() {
    QTest::addColumn<QString>("exe");
    QTest::addColumn<QString>("folder"); // empty: not ZDoomGL; null: not compared

    QTest::newRow("zdoomgl.exe") << "/g/zdoomgl.exe"
                                 << "/g";
    QTest::newRow("in capitals") << "C:\\GAMES\\ZDOOMGL.EXE" << QString();
    QTest::newRow("a name ending in zdoomgl.exe") << "/g/myZDoomGL.exe"
                                                  << "/g";
    QTest::newRow("a folder with blanks") << "/My Games/zdoomgl.exe"
                                          << "/My Games";
    QTest::newRow("exactly the name")
        << "zdoomgl.exe" << QDir::toNativeSeparators(QDir::currentPath());
    QTest::newRow("zdoom.exe") << "/g/zdoom.exe"
                               << "";
    QTest::newRow("a trailing blank") << "/g/zdoomgl.exe "
                                      << "";
    QTest::newRow("zdoomgl.exe.bak") << "/g/zdoomgl.exe.bak"
                                     << "";
    QTest::newRow("shorter than 11") << "oomgl.exe"
                                     << "";
}

void tst_command_line::zdoomgl() {
    QFETCH(QString, exe);
    QFETCH(QString, folder);
    const EngineCommand command =
        engine_command(settings(exe + ",DOOM2.WAD,640,480,44100,2,0"), requests::join, "");
    QCOMPARE(command.zdoomgl, !folder.isEmpty() || folder.isNull());
    if (!folder.isNull())
        QCOMPARE(command.folder, folder);
}

QTEST_APPLESS_MAIN(tst_command_line)
#include "tst_command_line.moc"
