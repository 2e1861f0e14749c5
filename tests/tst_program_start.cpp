// Real starts of a stand-in engine through the launch and the POSIX program start: the
// arguments it receives, the folder it runs in, its own session, and nothing run by a shell.
#include "doom_launch.h"
#include "helpers.h"
#include "program_start.h"
#include "rig.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>

#include <unistd.h>

using namespace brx;

namespace {

// Long enough for a loaded machine; only a failing test waits this long.
constexpr int patience = 20000;

// clang-format off
const LaunchRequest solo{1, "", 0, "0", "", "", 0, 0, 0, "Map07", " 4", 0, 0, "", 0, "", 0, 0, "", 0, 1};
const LaunchRequest host{1, "", 0, "2", "", "", 0, 0, 0, "Map01", "2", 0, 0, "20", 0, "30", 0, 2, "2", -1, 0};
const LaunchRequest join{0, "10.0.0.2", 0, "2", "", "", 0, 0, 0, "Map01", "2", 0, 0, "20", 0, "30", 0, 2, "2", -1, 1};
// clang-format on

void touch(const QString &path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot make %s", qPrintable(path));
}

// A stand-in engine: a script that writes its folder, process group and session, then its
// arguments one per line. With `wait`, it then stays until a file ".go" appears beside its
// report (20 s at most) and notes with ".done" that it has finished.
struct Stub {
    explicit Stub(const QString &name, bool wait = false)
        : path(QDir(dir.path()).filePath(name)), report(dir.filePath("report")) {
        QString script = QStringLiteral(R"(#!/bin/sh
out='%1'
stat=$(cat /proc/$$/stat)
ids() { printf '%s\n' "$3" "$4"; }
{ pwd -P; ids ${stat##*') '}; for a in "$@"; do printf '%s\n' "$a"; done; } >"$out.part"
mv "$out.part" "$out"
)")
                             .arg(report);
        if (wait)
            script += QStringLiteral("n=0\nwhile [ ! -e \"$out.go\" ] && [ $n -lt 400 ]; do "
                                     "sleep 0.05; n=$((n + 1)); done\n: >\"$out.done\"\n");
        touch(path);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(script.toLocal8Bit()) < 0 ||
            !file.setPermissions(file.permissions() | QFile::ExeOwner))
            qFatal("cannot write the stub %s", qPrintable(path));
    }

    // Waits for the report: folder, process group, session, then the arguments.
    QStringList lines() const {
        if (!QTest::qWaitFor([this] { return QFileInfo::exists(report); }, patience))
            return {};
        QFile file(report);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromLocal8Bit(file.readAll()).split('\n');
        lines.removeLast(); // after the last line end
        return lines;
    }
    QStringList arguments() const { return lines().mid(3); }

    QTemporaryDir dir;
    QString path;
    QString report;
};

// Launches through launch_game with the real program start.
void launch(Rig &rig, const QString &exe, const QString &rest, const LaunchRequest &request) {
    rig.write_cfg((exe + ',' + rest + "\r\n").toLocal8Bit());
    rig.platform.start = [](const QString &line) { return brx::start_program(line); };
    doom_launch::launch_game(rig.forms, request);
}

} // namespace

class tst_program_start : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(QDir::setCurrent(elsewhere_.path())); }
    void cleanup() { QDir::setCurrent(initial_dir_); }
    void arguments_data();
    void arguments();
    void paths_with_blanks_data();
    void paths_with_blanks();
    void outlives_the_launcher();
    void failures_data();
    void failures();

private:
    const QString initial_dir_ = QDir::currentPath();
    QTemporaryDir elsewhere_; // the current directory before each start
};

// The worked examples and text with shell characters in any box reach the engine as these
// argument vectors: no shell reads them. ZDoomGL runs in its own folder, ZDoom where the
// launcher was.
void tst_program_start::arguments_data() {
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("settings"); // brx.cfg after the engine path
    QTest::addColumn<QString>("caption");
    QTest::addColumn<LaunchRequest>("request");
    QTest::addColumn<QString>("arguments"); // one blank between two

    const QString cfg = "DOOM2.WAD,640,480,44100, 2 , 0 ";
    const QString d2 = "IWAD: Doom2";
    const QString tail = " -width 640 -height 480 +snd_samplerate 44100";
    // clang-format off
    QTest::newRow("worked example: single-player")
        << "zdoom.exe" << "C:\\Games\\DOOM2.WAD,640,480,44100, 2 , 0 " << d2
        << LaunchRequest{1, "", 0, "0", " C:\\Wads\\a.wad C:\\Wads\\b.wad", "", 0, 1, 1, "Map07", " 4", 0, 0, "", 0, "", 0, 0, "", 0, 1}
        << "-iwad C:\\Games\\DOOM2.WAD -file C:\\Wads\\a.wad C:\\Wads\\b.wad -respawn -fast -skill 4 -warp 07" + tail;
    QTest::newRow("worked example: hosting")
        << "zdoomgl.exe" << "C:\\Games\\DOOM.WAD,800,600,22050, 1 , 1 " << "IWAD: Doom"
        << LaunchRequest{1, "", 0, "2", "", "C:\\Wads\\patch.deh", 0, 0, 0, "E2M3", "2", 1, 1, "20", 0, "30", 1, 2, "4", -1, 1}
        << "-iwad C:\\Games\\DOOM.WAD -deh C:\\Wads\\patch.deh -paltex -3dfx -nomd2 -skill 3 -warp 2 3 -extratic -dup 2 -host 4 -altdeath +set timelimit 20 -width 800 -height 600 +snd_samplerate 22050";
    QTest::newRow("worked example: joining")
        << "zdoom.exe" << "C:\\Games\\DOOM2.WAD,640,480,44100, 2 , 0 " << d2
        << LaunchRequest{0, "10.0.0.2", 1, "3", "", "", 1, 1, 1, "Map07", "2", 1, 1, "20", 1, "30", 1, 2, "4", -1, 1}
        << "-iwad C:\\Games\\DOOM2.WAD -extratic -dup 3 -join 10.0.0.2" + tail;
    // clang-format on
    QTest::newRow("; in the address")
        << "zdoom.exe" << cfg << d2 << with(join, [](auto &r) { r.hostip = "1;touch pwned"; })
        << "-iwad DOOM2.WAD -extratic -join 1;touch pwned" + tail;
    QTest::newRow("| and * in the files") << "zdoom.exe" << cfg << d2 << with(join, [](auto &r) {
        r.externalwad = "a|touch pwned | touch pwned *";
    }) << "-iwad DOOM2.WAD -file a|touch pwned | touch pwned * -extratic -join 10.0.0.2" + tail;
    QTest::newRow("$() in the patch")
        << "zdoom.exe" << cfg << d2 << with(join, [](auto &r) { r.dehacked = "$(touch pwned)"; })
        << "-iwad DOOM2.WAD -deh $(touch pwned) -extratic -join 10.0.0.2" + tail;
    QTest::newRow("backticks and > in the limits")
        << "zdoom.exe" << cfg << d2
        << with(host,
                [](auto &r) {
                    r.timelimit = r.fraglimit = 1;
                    r.timetext = "`touch pwned`";
                    r.fragtext = "30>pwned";
                })
        << "-iwad DOOM2.WAD -extratic -host 2 +set timelimit `touch pwned` +set fraglimit "
           "30>pwned" +
               tail;
    QTest::newRow("& and $ in the players")
        << "zdoom.exe" << cfg << d2 << with(host, [](auto &r) { r.playernum = "2&$HOME"; })
        << "-iwad DOOM2.WAD -extratic -host 2&$HOME" + tail;
}

void tst_program_start::arguments() {
    QFETCH(QString, engine);
    QFETCH(QString, settings);
    QFETCH(QString, caption);
    QFETCH(LaunchRequest, request);
    QFETCH(QString, arguments);
    Stub stub(engine);
    touch(elsewhere_.filePath("a.wad")); // for a "*" to match, were it ever expanded
    Rig rig;
    rig.main.display_iwad->setText(caption);
    launch(rig, stub.path, settings, request);

    QVERIFY(rig.platform.messages.isEmpty());
    const QStringList lines = stub.lines();
    QCOMPARE(lines.mid(3), arguments.split(' '));
    const bool gl = engine == u"zdoomgl.exe";
    QCOMPARE(canonical(lines.value(0)), canonical(gl ? stub.dir.path() : elsewhere_.path()));
    for (const QString &folder : {elsewhere_.path(), stub.dir.path(), rig.dir.path()})
        QVERIFY(!QFileInfo::exists(QDir(folder).filePath("pwned")));
    QCOMPARE(canonical(QDir::currentPath()), canonical(rig.dir.path()));
}

// Paths under folders with blanks, put into the line unquoted, arrive as one argument each;
// a file that does not exist cannot be told from two and stays in pieces.
void tst_program_start::paths_with_blanks_data() {
    QTest::addColumn<QString>("engine");
    QTest::addColumn<bool>("relative"); // the files given relative to the engine's folder

    QTest::newRow("ZDoom, full paths") << "My Games/zdoom.exe" << false;
    QTest::newRow("ZDoomGL, paths from its folder") << "My Games/zdoomgl.exe" << true;
}

void tst_program_start::paths_with_blanks() {
    QFETCH(QString, engine);
    QFETCH(bool, relative);
    Stub stub(engine);
    const QString base = relative ? QString() : stub.dir.filePath("My Games") + '/';
    for (const char *file : {"doom 2/DOOM2.WAD", "a b.wad", "Wads/c.wad", "x  y.deh"})
        touch(stub.dir.filePath("My Games/") + file);
    Rig rig;
    rig.main.display_iwad->setText("IWAD: Doom2");
    LaunchRequest request = solo;
    request.externalwad = ' ' + base + "a b.wad " + base + "Wads/c.wad " + base + "no such.wad";
    request.dehacked = base + "x  y.deh";
    launch(rig, stub.path, base + "doom 2/DOOM2.WAD,640,480,44100, 2 , 0 ", request);

    const QStringList expected = QStringList{"-iwad", base + "doom 2/DOOM2.WAD", "-file",
                                             base + "a b.wad", base + "Wads/c.wad"} +
                                 (base + "no such.wad").split(' ') +
                                 QString("-deh|" + base +
                                         "x  y.deh|-skill|4|-warp|07|-width|640|-height|480|"
                                         "+snd_samplerate|44100")
                                     .split('|');
    QCOMPARE(stub.arguments(), expected);
}

// A launcher that starts an engine and ends at once: the start returned while the engine
// waited, and the engine, in a session of its own, runs on.
void tst_program_start::outlives_the_launcher() {
    Stub stub("zdoom", true);
    QProcess launcher;
    launcher.setStandardOutputFile(QProcess::nullDevice()); // the engine inherits these
    launcher.setStandardErrorFile(QProcess::nullDevice());
    launcher.start(QCoreApplication::applicationFilePath(), {"--start", stub.path + " -iwad x"});
    QVERIFY(launcher.waitForFinished(patience));
    QCOMPARE(launcher.exitCode(), 0);

    const QStringList lines = stub.lines();
    QCOMPARE(lines.mid(3), (QStringList{"-iwad", "x"}));
    QVERIFY(!QFileInfo::exists(stub.report + ".done"));
    QVERIFY(lines.value(1).toLongLong() != ::getpgrp());
    QVERIFY(lines.value(2).toLongLong() != ::getsid(0));
    touch(stub.report + ".go");
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(stub.report + ".done"), patience);
}

void tst_program_start::failures_data() {
    QTest::addColumn<QString>("line"); // %1: a folder with the files "plain" and "text"
    QTest::addColumn<int>("error");    // -1: any number but 0 and 53

    QTest::newRow("missing file") << "%1/zdoom.exe -iwad x" << int(error_file_not_found);
    QTest::newRow("missing folder") << "%1/none/zdoom -iwad x" << int(error_file_not_found);
    QTest::newRow("empty engine path")
        << " -iwad  -width  -height  +snd_samplerate " << int(error_file_not_found);
    QTest::newRow("not on the search path") << "brx-no-such-engine -x" << int(error_file_not_found);
    QTest::newRow("not executable") << "%1/plain -iwad x" << int(error_file_not_found);
    QTest::newRow("a folder") << "%1 -iwad x" << int(error_file_not_found);
    // Executable, but nothing the system can run, and no shell to fall back on.
    QTest::newRow("not a program") << "%1/text -iwad x" << -1;
}

void tst_program_start::failures() {
    QFETCH(QString, line);
    QFETCH(int, error);
    QTemporaryDir dir;
    for (const char *name : {"plain", "text"}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(name == QByteArray("plain") ? "#!/bin/sh\n: >ran\n" : ": >ran\n");
        if (name == QByteArray("text"))
            QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner));
    }
    const int result = start_program(line.contains("%1") ? line.arg(dir.path()) : line);
    if (error < 0)
        QVERIFY(result != 0 && result != error_file_not_found);
    else
        QCOMPARE(result, error);
    QVERIFY(!QFileInfo::exists(elsewhere_.filePath("ran")));
}

int main(int argc, char *argv[]) {
    // Stands in for a launcher that starts an engine and ends at once.
    if (argc == 3 && qstrcmp(argv[1], "--start") == 0)
        return brx::start_program(QString::fromLocal8Bit(argv[2]));
    QApplication app(argc, argv);
    tst_program_start test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_program_start.moc"
