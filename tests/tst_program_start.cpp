// Real starts of a stand-in engine through the POSIX program start: the arguments it receives
// (the cases the Windows test runs too), the folder it runs in, its own session, no zombie,
// and nothing run by a shell.
#include "doom_launch.h"
#include "folder_fixture.h"
#include "helpers.h"
#include "program_start.h"
#include "requests.h"
#include "rig.h"
#include "start_cases.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>

#include <unistd.h>

using namespace brx;

namespace {

// Long enough for a loaded machine; only a failing test waits this long.
constexpr int patience = 20000;

void touch(const QString &path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot make %s", qPrintable(path));
}

// A stand-in engine: a script that writes its folder, process group and session, then its
// arguments one per line, to "report" in the test's folder. With `wait`, it then stays until a
// file ".go" appears beside its report (20 s at most) and notes with ".done" that it ended.
struct Stub {
    explicit Stub(const QString &name, bool wait = false)
        : path(folder + '/' + name), report(dir.filePath("report")) {
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

    QTemporaryDir dir;
    const QString folder = dir.filePath("My Games"); // "@" of the shared cases
    QString path;
    QString report;
};

} // namespace

class tst_program_start : public InOwnFolder {
    Q_OBJECT
private slots:
    void arguments_data();
    void arguments();
    void launched_in_its_folder();
    void outlives_the_launcher();
    void leaves_no_zombie();
    void failures_data();
    void failures();
};

void tst_program_start::arguments_data() {
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(start_cases::cases)); ++row) {
        if (!start_cases::cases[row].windows_only)
            QTest::newRow(start_cases::cases[row].name) << row;
    }
}

void tst_program_start::arguments() {
    QFETCH(int, row);
    const start_cases::Case &test = start_cases::cases[row];
    const QStringList files = QString::fromUtf8(test.files).split('|');
    Stub stub(files[0]);
    for (const QString &file : files.mid(1))
        touch(stub.folder + '/' + file);
    touch(elsewhere_.filePath("a.wad")); // for a "*" to match, were it ever expanded
    const QString here = test.from_engine_folder ? stub.folder : elsewhere_.path();
    QVERIFY(QDir::setCurrent(here));

    QCOMPARE(start_program(QString::fromUtf8(test.line).replace('@', stub.folder)), 0);
    const QStringList lines = stub.lines();
    QCOMPARE(lines.mid(3), QString::fromUtf8(test.arguments).replace('@', stub.folder).split('|'));
    QCOMPARE(canonical(lines.value(0)), canonical(here));
    for (const QString &folder : {elsewhere_.path(), stub.folder, stub.dir.path()})
        QVERIFY(!QFileInfo::exists(QDir(folder).filePath("pwned")));
}

// Through the launch: ZDoomGL under a folder with blanks runs in its folder, and the files,
// given from there, arrive whole.
void tst_program_start::launched_in_its_folder() {
    Stub stub("zdoomgl.exe");
    touch(stub.folder + "/doom 2/DOOM2.WAD");
    touch(stub.folder + "/a b.wad");
    Rig rig;
    rig.main.display_iwad->setText("IWAD: Doom2");
    rig.write_cfg((stub.path + ",doom 2/DOOM2.WAD,640,480,44100, 2 , 0 \r\n").toLocal8Bit());
    rig.platform.start = [](const QString &line) { return start_program(line); };
    doom_launch::launch_game(rig.forms,
                             with(requests::solo, [](auto &r) { r.externalwad = " a b.wad"; }));

    const QStringList lines = stub.lines();
    QCOMPARE(canonical(lines.value(0)), canonical(stub.folder));
    QCOMPARE(lines.mid(3), QString("-iwad|doom 2/DOOM2.WAD|-file|a b.wad|-skill|4|-warp|01|-width|"
                                   "640|-height|480|+snd_samplerate|44100")
                               .split('|'));
    QCOMPARE(canonical(QDir::currentPath()), canonical(rig.dir.path()));
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

// The engine leads its own session, so the session is its process id; once it has ended,
// nothing of it is left in the process table.
void tst_program_start::leaves_no_zombie() {
    Stub stub("zdoom");
    QCOMPARE(start_program(stub.path), 0);
    const QString process = "/proc/" + stub.lines().value(2);
    QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(process), patience);
}

void tst_program_start::failures_data() {
    QTest::addColumn<QString>("line"); // %1: a folder with the files "plain" and "text"
    QTest::addColumn<int>("error");    // -1: any number but 0 and 53

    QTest::newRow("missing file") << "%1/zdoom.exe -iwad x" << int(error_program_not_found);
    QTest::newRow("missing folder") << "%1/none/zdoom -iwad x" << int(error_program_not_found);
    QTest::newRow("empty engine path")
        << " -iwad  -width  -height  +snd_samplerate " << int(error_program_not_found);
    QTest::newRow("not on the search path")
        << "brx-no-such-engine -x" << int(error_program_not_found);
    QTest::newRow("not executable") << "%1/plain -iwad x" << int(error_program_not_found);
    QTest::newRow("a folder") << "%1 -iwad x" << int(error_program_not_found);
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
        QVERIFY(result != 0 && result != error_program_not_found);
    else
        QCOMPARE(result, error);
    QVERIFY(!QFileInfo::exists(elsewhere_.filePath("ran")));
}

int main(int argc, char *argv[]) {
    // Stands in for a launcher that starts an engine and ends at once.
    if (argc == 3 && qstrcmp(argv[1], "--start") == 0)
        return start_program(QString::fromLocal8Bit(argv[2]));
    QApplication app(argc, argv);
    tst_program_start test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_program_start.moc"
