// Real starts of a stand-in engine through the POSIX program start: the arguments it receives
// in the folder it runs in, nothing run by a shell, a session of its own, no zombie,
// running on after the launcher; the errors of a start that fails; and the cost of the split.
#include "command_line.h"
#include "flatpak_command.h"
#include "helpers.h"
#include "program_start.h"
#include "qt_platform.h"
#include "start_cases.h"

#include <QProcess>

#include <csignal>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <tuple>

using namespace brx;

class tst_program_start : public InOwnFolder {
    Q_OBJECT
private slots:
    void arguments_data();
    void arguments();
    void outlives_the_launcher();
    void flatpak_engine_data();
    void flatpak_engine();
    void failures();
    void early_ends_data();
    void early_ends();
    void lookups_grow_linearly();
    void home_unset();
};

// What the engine receives, argument for argument ('|' between them, "@" its folder
// "<temp>/My Games"): exactly what it was given, whatever the arguments hold. A program
// "<temp>/My", which a start that tried the leading pieces of a line would run, never runs.
void tst_program_start::arguments_data() {
    using Row = std::tuple<QString, QString, bool>; // program, arguments, from its folder
    rows<Row>();
    QTest::newRow("shell characters, quotes, backslashes, blanks and an empty argument")
        << Row{"@/zdoom",
               R"(-file|a;touch pwned && touch pwned|<x|*|$(touch pwned)|`touch pwned`|2&$HOME|~|)"
               R"('q'|3>pwned|"a b.wad|c"|x\|\"y\\"|  two  blanks||café|-iwad|@/x y)",
               false};
    QTest::newRow("a relative path, from the engine's folder") << Row{"./zdoom", "-iwad|x", true};
}

void tst_program_start::arguments() {
    const auto [program, arguments, from_engine_folder] =
        fetch<std::tuple<QString, QString, bool>>();
    Stub stub("zdoom");
    const QString top = QFileInfo(stub.folder).path();
    write_file(top + "/My", "#!/bin/sh\n: >\"$0.ran\"\n", QFile::ExeOwner);
    const QString here = from_engine_folder ? stub.folder : elsewhere_.path();
    QVERIFY(QDir::setCurrent(here));
    const QStringList given = QString(arguments).replace('@', stub.folder).split('|');
    const int error = start_program(
        program_call(QStringList{QString(program).replace('@', stub.folder)} + given, {}));

    QCOMPARE(error, 0);
    const QStringList lines = stub.lines();
    QCOMPARE(lines.mid(2), given);
    QCOMPARE(canonical(lines.value(0)), canonical(here));
    // It leads a session of its own, and once it has ended, nothing of it is left.
    QVERIFY(lines.value(1).toLongLong() != ::getsid(0));
    QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists("/proc/" + lines.value(1)), patience);
    QVERIFY(!QFileInfo::exists(QDir(here).filePath("pwned"))); // where a shell would write
    QVERIFY(!QFileInfo::exists(top + "/My.ran"));
}

// A Flatpak engine (an export, or a known application id alone) runs through a stand-in
// `flatpak` on PATH, given read access to the folder of each file named outside the
// application's own data, and the files under /usr by their path inside the sandbox; the text
// shown is the same call. Any other engine's command stays as it was.
void tst_program_start::flatpak_engine_data() {
    using Row = std::tuple<QString, QString, QString>; // engine, external files, the call
    rows<Row>();
    const QString tail = "|-iwad|@/w/doom2.wad|-file|@/w/a b.wad|@/x/b.wad|@/w/c.wad|"
                         "~/.var/app/org.zdoom.GZDoom/d.wad|-deh|/run/host/usr/bin/"
                         "env|-width|640|-height|480|+snd_samplerate|44100";
    QTest::newRow("an export") << Row{
        "@/flatpak/exports/bin/org.zdoom.GZDoom", "@/w/a b.wad @/x/b.wad @/w/c.wad",
        "run|--filesystem=@/w:ro|--filesystem=@/x:ro|--filesystem=host-os:ro|org.zdoom.GZDoom" +
            tail};
    QTest::newRow("Zandronum's engine, not its browser")
        << Row{"com.zandronum.Zandronum", "",
               "run|--filesystem=@/w:ro|--filesystem=host-os:ro|--command=zandronum|"
               "com.zandronum.Zandronum|-iwad|@/w/doom2.wad|-deh|/run/host/usr/bin/"
               "env|-width|640|-height|480|+snd_samplerate|44100"};
    QTest::newRow("no Flatpak engine") << Row{"org.zdoom.GZDoomX", "", ""};
}

void tst_program_start::flatpak_engine() {
    const auto [engine, files, call] = fetch<std::tuple<QString, QString, QString>>();
    Stub stub("flatpak");
    const QString top = QFileInfo(stub.folder).path();
    const QString home = top + "/home";
    for (const QString file : {"/w/doom2.wad", "/w/a b.wad", "/x/b.wad", "/w/c.wad",
                               "/home/.var/app/org.zdoom.GZDoom/d.wad"})
        write_file(top + file);
    Settings settings;
    settings.doom_exe = QString(engine).replace('@', top);
    settings.doom_iwad = top + "/w/doom2.wad";
    LaunchRequest request;
    request.externalwad = QString(files).replace('@', top) +
                          (files.isEmpty() ? "" : " " + home + "/.var/app/org.zdoom.GZDoom/d.wad");
    request.dehacked = "/usr/bin/env";
    request.launchkind = 1;
    settings.vid_width = "640";
    settings.vid_height = "480";
    settings.snd_rate = "44100";
    EngineCommand command = engine_command(settings, request, WadKind::doom2);
    const EngineCommand before = command;
    if (const QString app = flatpak_app(settings.doom_exe); !app.isEmpty())
        run_through_flatpak(command, app, home);
    if (call.isEmpty()) {
        QCOMPARE(command.arguments, before.arguments);
        QCOMPARE(command.command_line, before.command_line);
        return;
    }
    const QStringList expected = QString(call).replace('@', top).replace("~", home).split('|');
    QCOMPARE(command.command_line, "flatpak " + expected.join(' '));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(stub.folder) + ':' + path);
    const int error = start_program(program_call(command.arguments, {}));
    qputenv("PATH", path);
    QCOMPARE(error, 0);
    QCOMPARE(stub.lines().mid(2), expected);
}

// A launcher that starts an engine and ends at once: the start returned while the engine
// stayed, and the engine runs on.
void tst_program_start::outlives_the_launcher() {
    Stub stub("zdoom");
    write_file(stub.report + ".hold");
    QCOMPARE(QProcess::execute(QCoreApplication::applicationFilePath(), {"--start", stub.path}), 0);
    QVERIFY(!stub.lines().isEmpty());
    QVERIFY(!QFileInfo::exists(stub.report + ".done"));
    QVERIFY(QFile::remove(stub.report + ".hold"));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(stub.report + ".done"), patience);
}

void tst_program_start::failures() {
    for (const char *name : {"plain.txt", "run.bat", "text.exe"})
        write_file(elsewhere_.filePath(name), ": >ran\n",
                   name[0] == 't' ? QFile::ExeOwner : QFile::Permissions());
    for (const start_cases::Failure &failure : start_cases::failures) {
        const QString line = QString::fromUtf16(failure.line).replace('@', elsewhere_.path());
        const int error = start_program(program_call({line.section(" -", 0, 0), "-iwad"}, line));
        QVERIFY2(error != 0 && (error == error_file_not_found) == failure.not_found, failure.name);
    }
    QVERIFY(!QFileInfo::exists(elsewhere_.filePath("ran")));
    // A line the system cannot take, or one a NUL would cut short, is refused with its own error.
    QCOMPARE(start_program(program_call({"/bin/true", "-file", QString(200'000, u'a')}, {})),
             error_command_too_long);
    QCOMPARE(start_program(program_call({"/bin/true", "-iwad", QString("a") + QChar(0) + "b"}, {})),
             error_nul_in_command);
}

// The engine's output reaches the log, standard output and error alike, the last game's
// output gone; an end within the first seconds by a failure is told on the interface thread,
// with how it ended; a clean end is not. A log that cannot be used (a planted link, a FIFO
// that would block the launcher, a folder, another user's file) is left as it is: the engine
// runs all the same, its output goes nowhere and the end tells why. The log stays within its
// cap; signals the launcher ignores are the engine's defaults; the log's descriptor is closed
// once the engine has ended.
void tst_program_start::early_ends_data() {
    using Row = std::tuple<QString, QByteArray, QString>; // log, end, told
    rows<Row>();
    QTest::newRow("exit status") << Row{"stale", "exit 3", "exit status 3|"};
    QTest::newRow("signal") << Row{"stale", "kill -SEGV $$", "signal 11, Segmentation fault|"};
    QTest::newRow("clean end") << Row{"stale", "exit 0", ""};
    QTest::newRow("a link planted at the log")
        << Row{"link", "exit 3", "exit status 3|it is a symbolic link"};
    QTest::newRow("a FIFO at the log")
        << Row{"fifo", "exit 3", "exit status 3|it is not a plain file"};
    QTest::newRow("a folder at the log")
        << Row{"folder", "exit 3", "exit status 3|it is not a plain file"};
    if (::geteuid() == 0)
        QTest::newRow("another user's log")
            << Row{"other's", "exit 3", "exit status 3|it belongs to another user"};
    QTest::newRow("under ignored signals") << Row{
        "ignoring",
        "v=$(sed -n 's/^SigIgn:\\s*//p' /proc/$$/status); [ $((0x$v & 0x7fffffff)) = 0 ]", ""};
    QTest::newRow("a chatty engine")
        << Row{"stale", "head -c 20000000 /dev/zero; exit 4", "exit status 4|"};
}

void tst_program_start::early_ends() {
    const auto [kind, end, told_how] = fetch<std::tuple<QString, QByteArray, QString>>();
    const QTemporaryDir dir;
    const QString engine = dir.filePath("engine"), log = dir.filePath("game.log"),
                  victim = dir.filePath("victim");
    write_file(engine, "#!/bin/sh\necho out; echo err >&2\n" + end + "\n", QFile::ExeOwner);
    write_file(victim, "keep");
    if (kind == u"link")
        QVERIFY(QFile::link(victim, log));
    else if (kind == u"fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(log).constData(), 0600), 0);
    else if (kind == u"folder")
        QVERIFY(QDir().mkpath(log));
    else
        write_file(log, "the last game's output\n");
    if (kind == u"other's")
        QCOMPARE(::chown(QFile::encodeName(log).constData(), 1, 1), 0);
    const QStringList before = QDir("/proc/self/fd").entryList(QDir::Files | QDir::System);
    const int ignored[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGQUIT, SIGUSR1};
    for (const int signal : ignored)
        std::signal(signal, kind == u"ignoring" ? SIG_IGN : SIG_DFL);

    QStringList told;
    QtPlatform platform;
    const int error = platform.start_program(
        {engine}, engine,
        {log, [&](const QString &how, const QString &problem) { told << how + '|' + problem; }});
    for (const int signal : ignored)
        std::signal(signal, SIG_DFL);
    QCOMPARE(error, 0);
    // The watch looks ten times a second.
    QTest::qWait(400);
    QTRY_COMPARE_WITH_TIMEOUT(told, told_how.isEmpty() ? QStringList() : QStringList{told_how},
                              patience);
    QTRY_COMPARE_WITH_TIMEOUT(QDir("/proc/self/fd").entryList(QDir::Files | QDir::System), before,
                              patience);
    QCOMPARE(read_file(victim), "keep");
    if (kind == u"stale" && end.startsWith("head"))
        QVERIFY2(QFileInfo(log).size() <= log_cap && QFileInfo(log).size() > 0,
                 qPrintable(QString::number(QFileInfo(log).size())));
    else if (kind == u"stale" || kind == u"ignoring")
        QCOMPARE(read_file(log), "out\nerr\n");
}

// However long the list of files, each piece costs a bounded number of look-ups, whether the
// launch splits it or a Windows start splits its line (and past the bound, look-ups find
// nothing, so that a fault fails at once).
void tst_program_start::lookups_grow_linearly() {
    QString files;
    for (int i = 0; i < 2000; ++i) {
        files += QStringLiteral(" My Games/a%1.wad My Games/b%1.wad").arg(i);
        write_file(elsewhere_.filePath(QStringLiteral("My Games/a%1.wad").arg(i)));
    }
    const std::u16string line = ("/bin/sh -iwad DOOM2.WAD -file" + files).toStdU16String();
    const int pieces = 3 * 2000;
    const int most = 4 * (pieces + 4) + 50;
    int lookups = 0;
    PathLookup counted = file_lookup({});
    counted.kind = [&lookups, kind = counted.kind](const std::u16string &path) {
        return ++lookups > most ? PathKind::none : kind(path);
    };
    counted.program = [](const std::u16string &name) { return name; };
    QCOMPARE(int(split_paths(files.toStdU16String(), counted).size()), pieces);
    QVERIFY2(lookups <= most, qPrintable(QString::number(lookups)));
    lookups = 0;
    QCOMPARE(int(split_command(line, counted).arguments.size()), 4 + pieces);
    QVERIFY2(lookups <= most, qPrintable(QString::number(lookups)));
}

// Without HOME, the user's folders are found from the password database, never at the root.
void tst_program_start::home_unset() {
    const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME"),
                     state = qgetenv("XDG_STATE_HOME");
    qunsetenv("HOME");
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_STATE_HOME");
    const QString user = QFile::decodeName(::getpwuid(::getuid())->pw_dir);
    const QtPlatform platform;
    const QString config_folder = platform.user_config_folder(),
                  state_folder = platform.state_folder();
    qputenv("HOME", home);
    if (!config.isNull())
        qputenv("XDG_CONFIG_HOME", config);
    if (!state.isNull())
        qputenv("XDG_STATE_HOME", state);
    QCOMPARE(config_folder, user + "/.config/brixmoor");
    QCOMPARE(state_folder, user + "/.local/state/brixmoor");
}

int main(int argc, char *argv[]) {
    // Stands in for a launcher that starts an engine and ends at once.
    if (argc == 3 && qstrcmp(argv[1], "--start") == 0)
        return start_program(program_call({QString::fromLocal8Bit(argv[2])}, {}));
    QCoreApplication app(argc, argv);
    tst_program_start test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_program_start.moc"
