// The engine's command line from the stored settings, a launch request and the IWAD
// indicator's caption: every option, its order and its blanks.
#include "command_line.h"
#include "requests.h"

#include <QTest>

using namespace brx;

namespace {

const QString zd = "zdoom.exe,2,0", d1 = "IWAD: Doom";

// A row: the request (see request()); the options between "<path> -iwad DOOM2.WAD" and the
// video and sound options ("-" for a join without an address, which has nothing to start);
// the engine as "path,card,nomd2"; the caption.
void row(const QString &request, const QString &options, const QString &engine = zd,
         const QString &caption = "IWAD: Doom2") {
    QTest::addRow("%s", qPrintable(request + " | " + engine + " | " + caption))
        << request << options << engine << caption;
}

} // namespace

class tst_command_line : public QObject {
    Q_OBJECT
private slots:
    void lines_data();
    void lines();
};

void tst_command_line::lines_data() {
    for (const char *column : {"request", "options", "engine", "caption"})
        QTest::addColumn<QString>(column);
    const QString go = " -skill  4 -warp 01", hosted = go + " -extratic -host 2";

    // Renderer options: ZDoomGL only (the path's last 11 characters, in any case), by card,
    // then nomd2 when it is exactly 1.
    row("solo", " -paltex -3dfx -sprmaxsurf 4096" + go, "/g/zdoomgl.exe,0,0");
    row("solo", " -paltex -3dfx" + go, "/g/myZDoomGL.exe,1,-1");
    row("solo", " -nomd2" + go, "/g/zdoomgl.exe,3,1");
    row("solo", go, "zdoom.exe,0,1");
    row("solo", go, "/g/zdoomgl.exe.bak,0,1");
    row("solo", go, "/g/zdoomgl.exe ,0,1");
    row("join; dehacked=p", " -deh p -paltex -3dfx -nomd2 -extratic -join 10.0.0.2",
        "/g/zdoomgl.exe,1,1");
    // Every part of a hosted game in its place.
    row("host; dehacked=p; level=E2M3; mode=1; timelimit=1; host_dup=1; playernum=4",
        " -deh p -paltex -3dfx -nomd2 -skill  4 -warp 2 3 -extratic -dup  2 -host 4 -altdeath "
        "+set timelimit 20",
        "/G/ZDOOMGL.EXE,1,1", d1);

    // The file part as it stands, blanks counting as given; the monster options in their
    // order, each for exactly 1, also without gogame.
    row("solo; externalwad= /My Games/a b.wad; dehacked=/My Games/p",
        " -file  /My Games/a b.wad -deh /My Games/p" + go);
    row("solo; dehacked= ", " -deh  " + go);
    row("solo; nomonsters=1; respawnmonsters=1; fastmonsters=1; externalwad= ",
        " -file   -nomonsters -respawn -fast" + go);
    row("solo; nomonsters=-1; respawnmonsters=2; fastmonsters=-1", go);
    row("solo; gogame=0; fastmonsters=1", " -fast");
    row("solo; gogame=-1", "");

    // Warp numbers by the caption, compared with its case; positions beyond the level's end
    // give nothing.
    row("solo; level=E2M3", " -skill  4 -warp 2 3", zd, d1);
    row("solo; level=E2", " -skill  4 -warp 2 ", zd, d1);
    row("solo; level=", " -skill  4 -warp  ", zd, d1);
    row("solo; level=Map0", " -skill  4 -warp 0");
    row("solo", " -skill  4 -warp ", zd, "IWAD: DOOM2");

    // Skill: the number, plus 1 when hosting, with a blank in its sign place.
    row("solo; skill=4", go);
    row("solo; skill=", " -skill  0 -warp 01");
    row("host; skill=0", " -skill  1 -warp 01 -extratic -host 2");
    row("host; gogame=0", " -extratic -host 2");

    // Host options: mode, limits as typed; no address needed. None of them in single-player.
    row("host", hosted);
    row("host; mode=2; timelimit=1; fraglimit=1",
        hosted + " -deathmatch +set timelimit 20 +set fraglimit 30");
    row("host; mode=3; timelimit=1; timetext=", hosted + " +set timelimit ");
    row("solo; mode=2; timelimit=1; fraglimit=1; host_dup=1", go);

    // Joining: the file part, the network options and the address, nothing of the game.
    row("join", " -extratic -join 10.0.0.2");
    row("join; client_dup=1; clientdup_value=03; externalwad=a.wad; nomonsters=1; "
        "respawnmonsters=1; mode=1; timelimit=1; fraglimit=1; host_dup=1",
        " -file a.wad -extratic -dup 03 -join 10.0.0.2");
    row("join; hostip= ", " -extratic -join  ");
    row("join; hostip=", "-");
}

void tst_command_line::lines() {
    QFETCH(QString, request);
    QFETCH(QString, options);
    QFETCH(QString, engine);
    QFETCH(QString, caption);
    const QStringList e = engine.split(u',');
    const Settings settings{e[0],    "DOOM2.WAD",    "640",         "480",
                            "44100", e[1].toShort(), e[2].toShort()};
    const EngineCommand command = engine_command(settings, brx::request(request), caption);
    const QString line =
        e[0] + " -iwad DOOM2.WAD" + options + " -width 640 -height 480 +snd_samplerate 44100";
    QCOMPARE(command.command_line, options == u"-" ? QString() : line);
    QCOMPARE(command.missing_host_address, options == u"-");
}

QTEST_APPLESS_MAIN(tst_command_line)
#include "tst_command_line.moc"
