// The launch: the engine's command line from the stored settings, a launch request and the
// IWAD's kind; the settings it reads at each launch, the folders the engine
// starts in and the launch ends in, the missing host address, the game dialogs it closes; and
// the whole road from the main window through the real program start to a stand-in engine.
#include "command_line.h"
#include "doom_launch.h"
#include "game_log.h"
#include "helpers.h"
#include "program_start.h"
#include "qt_platform.h"
#include "requests.h"
#include "rig.h"

#include <QMessageBox>
#include <QScreen>
#include <QTimer>

using namespace brx;

namespace {

const QString zd = "zdoom.exe,2,0";
constexpr WadKind d1 = WadKind::doom, d2 = WadKind::doom2, unknown = WadKind::unknown;

// A row: the request (see request()); the options between "<path> -iwad DOOM2.WAD" and the
// video and sound options ("-" for a join without an address, which has nothing to start);
// the engine as "path,card,nomd2"; the IWAD's kind.
using Row = std::tuple<QString, QString, QString, WadKind>;
void row(const QString &request, const QString &options, const QString &engine = zd,
         WadKind kind = d2) {
    QTest::addRow("%s | %s | %d", qPrintable(request), qPrintable(engine), int(kind))
        << Row{request, options, engine, kind};
}

} // namespace

class tst_launch_game : public InOwnFolder {
    Q_OBJECT
private slots:
    void command_lines_data();
    void command_lines();
    void arguments_data();
    void arguments();
    void damaged_record_and_failed_start();
    void missing_host_address();
    void families_data();
    void families();
    void engine_stopped_at_once();
    void log_tails_data();
    void log_tails();
    void lines_no_engine_takes_data();
    void lines_no_engine_takes();
    void from_the_main_window_to_the_engine();
    void messages_fit_the_screen();
};

void tst_launch_game::command_lines_data() {
    rows<Row>();
    const QString go = " -skill  4 -warp 01", hosted = go + " -extratic -host 2";

    // Renderer options: ZDoomGL only (the path's last 11 characters, in any case), by card,
    // then nomd2 when it is exactly 1.
    row("solo", " -paltex -3dfx -sprmaxsurf 4096" + go, "/g/zdoomgl.exe,0,0");
    row("solo", " -paltex -3dfx" + go, "/g/myZDoomGL.exe,1,-1");
    row("solo", " -nomd2" + go, "/g/zdoomgl.exe,3,1");
    row("solo", go, "zdoom.exe,0,1");
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
    row("solo; gogame=0; nomonsters=1; respawnmonsters=1; fastmonsters=1; externalwad= ; "
        "dehacked= ",
        " -file   -deh   -nomonsters -respawn -fast");
    row("solo; nomonsters=-1; respawnmonsters=2; fastmonsters=-1", go);
    row("solo; gogame=-1", "");

    // Warp numbers of the fixed lists' levels by the IWAD's kind, compared with its case;
    // positions beyond the level's end give nothing.
    row("solo; level=E2M3", " -skill  4 -warp 2 3", zd, d1);
    // A map's lump name by its own kind: -warp within the ZDoom family's reach and the IWAD's
    // kind, +map beyond.
    row("solo; level=MAP05", " -skill  4 -warp 05", zd, unknown);
    row("solo; level=E9M9", " -skill  4 -warp 9 9", zd, d1);
    for (const char *beyond : {"E1M10", "E10M1", "MYMAP"})
        row(QString("solo; level=") + beyond, QString(" -skill  4 +map ") + beyond, zd, d1);
    row("solo; level=MAP05", " -skill  4 +map MAP05", zd, d1);
    row("solo; level=MAP33", " -skill  4 +map MAP33");
    row("solo; level=E1M1", " -skill  4 +map E1M1");

    // Skill: the number, plus 1 when hosting, with a blank in its sign place.
    row("solo; skill=", " -skill  0 -warp 01");
    row("host; skill=0", " -skill  1 -warp 01 -extratic -host 2");
    row("host; gogame=0", " -extratic -host 2");

    // Host options: mode, limits as typed; no address needed. None of them in single-player.
    row("host", hosted);
    row("host; mode=2; timelimit=1; fraglimit=1",
        hosted + " -deathmatch +set timelimit 20 +set fraglimit 30");
    // A limit left blank is left out, as an empty warp is.
    row("host; mode=3; timelimit=1; timetext=; fraglimit=1; fragtext= \t", hosted);
    row("host; timelimit=1; timetext= 20 ", hosted + " +set timelimit  20 ");
    row("solo; mode=2; timelimit=1; fraglimit=1; host_dup=1", go);

    // Joining: the file part, the network options and the address, nothing of the game.
    row("join", " -extratic -join 10.0.0.2");
    row("join; client_dup=1; clientdup_value=03; externalwad=a.wad; nomonsters=1; "
        "respawnmonsters=1; mode=1; timelimit=1; fraglimit=1; host_dup=1",
        " -file a.wad -extratic -dup 03 -join 10.0.0.2");
    row("join; hostip= ", " -extratic -join  ");
    row("join; hostip=", "-");
}

void tst_launch_game::command_lines() {
    const auto [request, options, engine, kind] = fetch<Row>();
    const QStringList e = engine.split(u',');
    const Settings settings{e[0],    "DOOM2.WAD",    "640",         "480",
                            "44100", e[1].toShort(), e[2].toShort()};
    const EngineCommand command = engine_command(settings, brx::request(request), kind);
    const QString line =
        e[0] + " -iwad DOOM2.WAD" + options + " -width 640 -height 480 +snd_samplerate 44100";
    QCOMPARE(command.command_line, options == u"-" ? QString() : line);
    QCOMPARE(command.missing_host_address, options == u"-");
}

// The argument vector from the same pieces: the engine as stored, the IWAD and the patch one
// argument each, the external files split at blanks except where a run names an existing file
// (the longest wins), typed values split at blanks. Files are made in the current folder ('|'
// between them); "..." stands for the video and sound options.
void tst_launch_game::arguments_data() {
    using Row = std::tuple<QString, QString, QString, QString, QString>; // files, engine, IWAD,
                                                                         // request, arguments
    rows<Row>();
    QTest::newRow("an engine in a folder whose first piece is a program") << Row{
        "with", "with blank/zdoom", "D.WAD", "solo; gogame=0", "with blank/zdoom|-iwad|D.WAD|..."};
    QTest::newRow("a double quote in a file, a patch and an IWAD")
        << Row{"a\".wad", "zdoom", "x \"y", "solo; externalwad= a\".wad \"b c; dehacked=\"p q",
               "zdoom|-iwad|x \"y|-file|a\".wad|\"b|c|-deh|\"p q|-skill|4|-warp|01|..."};
    QTest::newRow("the longest existing path wins; folders are not files")
        << Row{"x.wad|x.wad y.wad|My Games/a  b.wad|d e/f", "zdoom", "D.WAD",
               "solo; gogame=0; externalwad= x.wad y.wad z.wad My Games/a  b.wad d e",
               "zdoom|-iwad|D.WAD|-file|x.wad y.wad|z.wad|My Games/a  b.wad|d|e|..."};
    QTest::newRow("ZDoomGL's files from its folder")
        << Row{"gl/a b.wad", "gl/zdoomgl.exe", "D.WAD", "solo; gogame=0; externalwad=a b.wad",
               "gl/zdoomgl.exe|-iwad|D.WAD|-file|a b.wad|..."};
    QTest::newRow("typed values split at blanks") << Row{
        "", "zdoom", "D.WAD",
        "host; playernum= 3 x; timelimit=1; timetext=20 ; host_dup=1; level=Map1",
        "zdoom|-iwad|D.WAD|-skill|4|-warp|1|-extratic|-dup|2|-host|3|x|+set|timelimit|20|..."};
    QTest::newRow("a joining player's address and dup value")
        << Row{"", "zdoom", "", "join; hostip= 10.0.0.2\tx; client_dup=1; clientdup_value=2 3",
               "zdoom|-iwad||-extratic|-dup|2|3|-join|10.0.0.2|x|..."};
    QTest::newRow("other options last, split at blanks")
        << Row{"", "zdoom", "D.WAD", "solo; gogame=0; other_options= -fast  +set x \"1\" ",
               "zdoom|-iwad|D.WAD|...|-fast|+set|x|\"1\""};
    QTest::newRow("other options of blanks add nothing")
        << Row{"", "zdoom", "D.WAD", "solo; gogame=0; other_options= \t ", "zdoom|-iwad|D.WAD|..."};
}

void tst_launch_game::arguments() {
    const auto [files, engine, iwad, request, arguments] =
        fetch<std::tuple<QString, QString, QString, QString, QString>>();
    for (const QString &file : files.split(u'|', Qt::SkipEmptyParts))
        write_file(file);
    const Settings settings{engine, iwad, "640 x", "480", "44100", 2, 0};
    const EngineCommand command = engine_command(settings, brx::request(request), WadKind::doom2);
    QCOMPARE(command.arguments.join(u'|'),
             QString(arguments).replace("...", "-width|640|x|-height|480|+snd_samplerate|44100"));
    // The line ends with the other options as typed, after a blank.
    const QString other = brx::request(request).other_options;
    QVERIFY(command.command_line.endsWith(" +snd_samplerate 44100" +
                                          (other.trimmed().isEmpty() ? QString() : ' ' + other)));
}

// What a damaged record lacks keeps the launch's presets (empty texts, card 2, nomd2 0); its
// ZDoomGL, whose folder is missing, starts where it is. A start that fails for any reason,
// not only a missing file, brings its message and the setup.
void tst_launch_game::damaged_record_and_failed_start() {
    Rig rig;
    rig.main.show_iwad_kind("DOOM2.WAD");
    rig.write_cfg("/g/zdoomgl.exe,/g/DOOM2.WAD,800\r\n");
    rig.platform.start_result = error_file_access;
    doom_launch::launch_game(rig.forms, requests::solo);
    QCOMPARE(rig.seen(), (QStringList{"Config file corrupt|Error!", "Doom executable not found|",
                                      "/g/zdoomgl.exe -iwad  -skill  4 -warp 01 -width 800 "
                                      "-height  +snd_samplerate "}));
    QCOMPARE(canonical(rig.platform.starts[0].current_dir), canonical(elsewhere_.path()));
    QCOMPARE(rig.platform.shown, QStringList{"doom_setup"});
}

// A join without the host's address: the message, nothing started, the dialog still open. The
// engine's folder is made current before the check, the launcher's after it.
void tst_launch_game::missing_host_address() {
    QTemporaryDir engines;
    Rig rig;
    rig.write_cfg((engines.filePath("zdoomgl.exe") + ",/g/DOOM2.WAD,,,, 2 , 0 \r\n").toLocal8Bit());
    QVERIFY(rig.open<QDialog>(FormId::launch_multi, [&](QDialog &) {
        doom_launch::launch_game(rig.forms, request("join; hostip="));
    }));
    QCOMPARE(rig.seen(), QStringList{"You must enter the hosts IP Address|Error!"});
    QCOMPARE(rig.platform.shown, QStringList{"launch_multi"});
    QCOMPARE(rig.platform.dir_changes,
             (QStringList{QDir::toNativeSeparators(engines.path()), rig.platform.folder}));
}

// Each family's command line for each kind of request: the whole line, or "refused" when the
// family cannot play the game asked for.
void tst_launch_game::families_data() {
    using FamilyRow = std::tuple<QString, QString, WadKind, QString>;
    rows<FamilyRow>();
    const auto add = [](const QString &engine, const QString &request, WadKind kind,
                        const QString &line) {
        QTest::addRow("%s | %s | %d", qPrintable(engine), qPrintable(request), int(kind))
            << FamilyRow{engine, request, kind, line};
    };
    const QString solo = "solo; externalwad=a.wad; dehacked=p.deh; nomonsters=1; "
                         "respawnmonsters=1; fastmonsters=1",
                  host = "host; level=E2M3; mode=2; timelimit=1; fraglimit=1; host_dup=1; "
                         "playernum=3",
                  join = "join; client_dup=1; clientdup_value=2; externalwad=a.wad";
    const QString video = " -width 640 -height 480";

    // Chocolate: a private server that waits for the players, a frag limit and the sample
    // rate left out.
    const QString choc = "/usr/games/chocolate-doom -iwad DOOM2.WAD";
    add("/usr/games/chocolate-doom", solo, d2,
        choc + " -file a.wad -deh p.deh -nomonsters -respawn -fast -skill  4 -warp 01" + video);
    add("C:\\Games\\Crispy-Doom.EXE", host, d1,
        "C:\\Games\\Crispy-Doom.EXE -iwad DOOM2.WAD -skill  4 -warp 2 3 -extratics 1 -dup  2 "
        "-privateserver -nodes 3 -deathmatch -timer 20" +
            video);

    // woof-doom: the Chocolate family's network play, no window size options; Boom: single-player
    // only.
    add("woof-doom.exe", host + "; mode=1", d1,
        "woof-doom.exe -iwad DOOM2.WAD -skill  4 -warp 2 3 -extratics 1 -dup  2 -privateserver "
        "-nodes 3 -altdeath -timer 20");
    add("/usr/games/dsda-doom", host, d1, "refused");
    add("glboom-plus.exe", "join; hostip=", d2, "refused");
    // A typed limit that is no whole number from 0 up, where the family passes it.
    add("gzdoom", "host; fraglimit=1; fragtext=-5", d2,
        "refused: Fraglimit must be a whole number from 0 up, or left empty.");
    add("gzdoom", "host; timelimit=1; timetext=2 0", d2,
        "refused: Timelimit must be a whole number from 0 up, or left empty.");
    add("/usr/games/chocolate-doom", "host; fraglimit=1; fragtext=x", d2,
        choc + " -skill  4 -warp 01 -extratics 1 -privateserver -nodes 2" + video);

    // How far each family's -warp reaches; a map beyond it is left out for the engine's first.
    const auto warp = [&](const QString &engine, const QString &level, WadKind kind,
                          const QString &option) {
        const bool sized = !engine.contains(u"woof");
        add(engine, "solo; level=" + level, kind,
            engine + " -iwad DOOM2.WAD -skill  4" + option + (sized ? video : QString()));
    };
    warp("/usr/games/chocolate-doom", "E4M9", d1, " -warp 4 9");
    warp("/usr/games/crispy-doom", "E5M1", d1, "");
    warp("/usr/games/chocolate-doom", "E1M10", unknown, "");
    warp("/usr/games/chocolate-doom", "MAP99", d2, " -warp 99");
    warp("/usr/games/woof", "E1M10", d1, " -warp 1 10");
    warp("/usr/games/dsda-doom", "MAP100", d2, "");

    // Any other name is a ZDoom-family engine, its line the launcher's own.
    add("/opt/chocolate-doom.sh", join, d2,
        "/opt/chocolate-doom.sh -iwad DOOM2.WAD -file a.wad -extratic -dup 2 -join 10.0.0.2" +
            video + " +snd_samplerate 44100");
}

void tst_launch_game::families() {
    const auto [engine, request, kind, line] =
        fetch<std::tuple<QString, QString, WadKind, QString>>();
    const Settings settings{engine, "DOOM2.WAD", "640", "480", "44100", 2, 0};
    const EngineCommand command = engine_command(settings, brx::request(request), kind);
    if (line.startsWith(u"refused: ")) {
        QCOMPARE(command.command_line, QString());
        QCOMPARE(command.refusal, line.mid(9));
    } else if (line == u"refused") {
        QCOMPARE(command.command_line, QString());
        QVERIFY(command.refusal.startsWith(QString(engine).replace(u'\\', u'/').section(u'/', -1) +
                                           " cannot play network games"));
    } else {
        QCOMPARE(command.command_line, line);
        QCOMPARE(command.refusal, QString());
    }
}

// The engine's output goes to the log in the state folder, the last game's log gone first; when
// the engine stops at once, the message names it, how it ended and the log's last lines.
void tst_launch_game::engine_stopped_at_once() {
    Rig rig;
    rig.write_cfg("/g/zdoom,/g/DOOM2.WAD,640,480,44100, 2 , 0 \r\n");
    const QString log = QDir(rig.platform.state).filePath("last-game.log");
    write_file(log, "the last game's output");
    doom_launch::launch_game(rig.forms, requests::solo);
    const StartWatch watch = rig.platform.starts.value(0).watch;
    QCOMPARE(watch.log, QDir::toNativeSeparators(log));
    QVERIFY(QFileInfo(rig.platform.state).isDir() && !QFileInfo::exists(log));
    write_file(log, "P_Init\nW_Init: bad.wad is not a WAD\n");
    watch.failed_early("exit status 255", {});
    QCOMPARE(rig.seen().value(0), "zdoom stopped at once (exit status 255).\n\nThe last lines it "
                                  "wrote to " +
                                      QDir::toNativeSeparators(log) +
                                      ":\n\nP_Init\nW_Init: bad.wad is not a WAD|");
    // A log that could not be written: whatever the file holds is not this game's.
    watch.failed_early("signal 6, Aborted", "it is a symbolic link");
    QCOMPARE(rig.seen().value(1), "zdoom stopped at once (signal 6, Aborted).\n\nNo log could be "
                                  "written to " +
                                      QDir::toNativeSeparators(log) + ": it is a symbolic link.|");
}

// The last 20 lines, each at most 160 characters with "[...]" where it was cut, line ends made
// plain, control and bidirectional characters escaped; of a large file only its end is read.
void tst_launch_game::log_tails_data() {
    using Row = std::tuple<QByteArray, QString>;
    rows<Row>();
    QByteArray many;
    for (int i = 1; i <= 25; ++i)
        many += "line " + QByteArray::number(i) + "\r\n";
    QString last20;
    for (int i = 6; i <= 25; ++i)
        last20 += "line " + QString::number(i) + (i < 25 ? "\n" : "");
    QTest::newRow("25 lines, CR LF") << Row{many, last20};
    QTest::newRow("a 100,000-character line, begun before the end read")
        << Row{QByteArray(100'000, 'x') + "\nlast", "[...]" + QString(150, u'x') + "[...]\nlast"};
    QTest::newRow("tabs, controls, bidirectional marks, no last line break") << Row{
        "a\tb\x1b[31m\n\nevil\u202Eexe.txt\u2028", "a b\\u001B[31m\n\nevil\\u202Eexe.txt\\u2028"};
    QTest::newRow("blank lines at the end") << Row{"a\n \n\n", "a"};
    QString nuls;
    for (int i = 0; i < 25; ++i)
        nuls += "\\u0000";
    QTest::newRow("1 GB of NULs") << Row{"sparse", "[...]" + nuls + "[...]"};
}

void tst_launch_game::log_tails() {
    const auto [bytes, tail] = fetch<std::tuple<QByteArray, QString>>();
    write_file("log", bytes == "sparse" ? QByteArray() : bytes);
    if (bytes == "sparse")
        QVERIFY(QFile("log").resize(qint64(1) << 30));
    QCOMPARE(log_tail("log"), tail);
}

// A line the system cannot take, or one holding a NUL, is told as such, and a family that
// cannot play the game asked for says so, naming the engine: no setup, and the dialog stays
// open with its entries, to be mended.
void tst_launch_game::lines_no_engine_takes_data() {
    using Row = std::tuple<QByteArray, QString, int, QString>; // engine, request, error, message
    rows<Row>();
    QTest::newRow("too long") << Row{"/g/zdoom", "solo", error_command_too_long,
                                     "The command line is too long"};
    QTest::newRow("NUL") << Row{"/g/zdoom", "solo", error_nul_in_command,
                                "The command line holds a NUL"};
    QTest::newRow("no network play")
        << Row{"/usr/games/dsda-doom", "host", 0,
               "dsda-doom cannot play network games: choose a single-player game, or an engine of "
               "the ZDoom or Chocolate family in the setup.|BRX"};
}

void tst_launch_game::lines_no_engine_takes() {
    const auto [engine, request, error, message] =
        fetch<std::tuple<QByteArray, QString, int, QString>>();
    Rig rig;
    rig.write_cfg(engine + ",/g/DOOM2.WAD,640,480,44100, 2 , 0 \r\n");
    rig.platform.start_result = error;
    const FormId id = request == u"solo" ? FormId::launch_solo : FormId::launch_multi;
    QVERIFY(rig.open<QDialog>(
        id, [&](QDialog &) { doom_launch::launch_game(rig.forms, brx::request(request)); }));
    QCOMPARE(rig.seen().size(), error != 0 ? 2 : 1); // the refused start, or none
    QVERIFY2(rig.seen().value(0).startsWith(message), qPrintable(rig.seen().value(0)));
    QCOMPARE(rig.platform.shown, QStringList{form_name(id)});
}

// No brx.cfg: a hosted game's launch brings the first-run message and the setup, where an
// engine is chosen that this launch does not use. Its empty engine path fails to start: the
// message and the setup again over the still open dialog, which is then gone. "Launch SP
// game..." then starts the engine chosen, which gets each argument as text (no shell reads
// them) in the launcher's folder, left current by the launch before.
void tst_launch_game::from_the_main_window_to_the_engine() {
#ifdef Q_OS_WIN
    QSKIP("The stand-in engine is a shell script");
#endif
    Stub engine("my zdoom");
    Rig rig;
    rig.platform.start = [](const QStringList &arguments, const QString &line) {
        return start_program(program_call(arguments, line));
    };
    rig.platform.script("launch_multi", [&](QDialog &d) {
        act(d, "tab SSTab1=1; click Okay_Button");
        QVERIFY(!rig.forms.loaded(FormId::launch_multi));
    });
    rig.platform.script("doom_setup", [&](QDialog &setup) {
        act(setup,
            "type doom_exe=" + engine.path + "; type doom_iwad=/g/DOOM.WAD; click Okay_Button");
    });
    bool over_the_dialog = false;
    rig.platform.script("doom_setup", [&](QDialog &) {
        over_the_dialog =
            rig.platform.messages.size() == 2 && rig.forms.loaded(FormId::launch_multi);
    });
    click(rig.main, "MP_Button");
    QVERIFY(over_the_dialog);
    QCOMPARE(rig.platform.messages[1].prompt + '|' + rig.platform.messages[1].title,
             "Doom executable not found|");
    // The caption the setup set counts: Doom's warp numbers for no level are a blank, and no
    // warp is passed.
    QCOMPARE(rig.platform.starts[0].command_line,
             " -iwad  -skill  4 -extratic -host 2 -width  -height  +snd_samplerate ");

    rig.platform.script("launch_solo", [&](QDialog &d) {
        act(d, "pick level=E1M7; type ExternalWad_textbox=$(touch pwned) `touch x`; click "
               "Okay_Button");
        QVERIFY(!rig.forms.loaded(FormId::launch_solo));
    });
    click(rig.main, "launch_button");
    const QStringList received = engine.lines();
    QCOMPARE(canonical(received.value(0)), canonical(rig.dir.path()));
    QCOMPARE(received.mid(2), QString("-iwad|/g/DOOM.WAD|-file|$(touch|pwned)|`touch|x`|-skill|4|"
                                      "-warp|1|7|-width|640|-height|480|+snd_samplerate|44100")
                                  .split(u'|'));
    QCOMPARE(rig.platform.shown,
             (QStringList{"launch_multi", "doom_setup", "doom_setup", "launch_solo"}));
    QCOMPARE(rig.platform.messages.size(), 2);
    QCOMPARE(canonical(QDir::currentPath()), canonical(rig.dir.path()));
}

// A message is plain text, never markup, and no wider than the screen: a long path is elided
// in the middle, the full text under its details.
void tst_launch_game::messages_fit_the_screen() {
    const QString prompt = "<i>zdoom</i> at /g/" + QString(100'000, u'a') + "/zdoom <img src=x>";
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QVERIFY(box->text().startsWith("<i>zdoom</i> at /g/aaa") && box->text().contains(u'…'));
        QCOMPARE(box->detailedText(), prompt);
        QVERIFY(box->sizeHint().width() <= box->screen()->availableGeometry().width());
        checked = true;
        box->accept();
    });
    QtPlatform().message_box(prompt);
    QVERIFY(checked);
}

QTEST_MAIN(tst_launch_game)
#include "tst_launch_game.moc"
