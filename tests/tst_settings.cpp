// Loading and saving brx.cfg: the first run, a damaged or unreadable file, and saves that must
// either replace the whole record or report why they could not and leave everything as it was.
#include "brxdata.h"
#include "rig.h"

#include <QDirIterator>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryFile>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace brx;

namespace {

// A message box as "prompt|title".
const QString corrupt = QStringLiteral("Config file corrupt|Error!");

#ifdef Q_OS_WIN
// Links, pipes, undeletable files and full disks are made the POSIX way: their rows are
// skipped on Windows.
bool posix_only(const QString &cfg) {
    return cfg.startsWith("link") || cfg.startsWith("full") || cfg.startsWith("undeletable");
}
bool is_root() {
    return false;
}
int mkfifo(const char *, int) {
    return -1;
}
void limit_file_size(bool) {}
#else
bool posix_only(const QString &) {
    return false;
}
bool is_root() {
    return geteuid() == 0;
}
// Past 16 bytes no file grows while the limit is on: writes fail as on a full disk.
void limit_file_size(bool on) {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = on ? 16 : limit.rlim_max;
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
}
#endif

// Puts at brx.cfg what a row names: a file holding the bytes, a folder, or a link to such a
// file, to nothing yet, to a pipe, to itself or to a file that cannot be read; or takes the
// program folder away.
void make_cfg(Rig &rig, const QString &kind, const QByteArray &bytes) {
    const QString cfg = rig.cfg_path(), real = rig.dir.filePath("real.cfg");
    const QString at = kind.startsWith("link") ? real : cfg;
    if (kind.startsWith("link"))
        QFile::link(kind.endsWith("itself")       ? cfg
                    : kind.endsWith("unreadable") ? QStringLiteral("/proc/self/mem")
                                                  : real,
                    cfg);
    if (QFile file(at); kind.contains("file") || kind.startsWith("full"))
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    else if (kind == "folder")
        QVERIFY(QDir().mkdir(at));
    else if (kind.endsWith("pipe"))
        QCOMPARE(mkfifo(QFile::encodeName(at), 0600), 0);
    else if (kind == "no folder")
        rig.platform.folder = rig.dir.filePath("gone");
}

// The folder's entries by name, with each link's target and the bytes of each file, read
// through links too.
QStringList snapshot(const QString &folder) {
    QStringList entries;
    for (const QFileInfo &info : QDir(folder).entryInfoList(QDir::AllEntries | QDir::System |
                                                            QDir::Hidden | QDir::NoDotAndDotDot)) {
        QFile file(info.filePath());
        const bool read = info.isFile() && file.open(QIODevice::ReadOnly);
        entries << info.fileName() + info.symLinkTarget() + (read ? file.readAll() : "");
    }
    return entries;
}

// A row of a load: what is at brx.cfg (see make_cfg()) with its bytes; whether the load is
// silent; what it saw.
using Load = std::tuple<QString, QByteArray, qint16, QStringList>;
void row(const char *name, const char *cfg, const QByteArray &bytes, qint16 silent,
         const QStringList &seen) {
    QTest::newRow(name) << Load{cfg, bytes, silent, seen};
}

// A row of a save: what is at brx.cfg, the engine path saved, and whether the save is done.
using Save = std::tuple<QString, QString, bool>;

// A row of where the settings live: whether the program folder may be written, what is named
// brx.cfg in it ("" nothing, "file", "dangling link"), what the user's settings folder is
// ("none" the platform has none, "" not made yet, "file" holding a brx.cfg, "blocked" a file
// where its parent folder should be); then what was seen.
using Where = std::tuple<QString, QString, QString, QStringList>;

// The program folder made read-only; root ignores permissions, so for root it is made immutable.
// Returns whether the folder cannot be written now.
bool lock_folder(const QString &folder, bool on) {
    if (is_root())
        return QProcess::execute("chattr", {on ? "+i" : "-i", folder}) == 0 || !on;
    const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    return QFile::setPermissions(folder, on ? all & ~QFile::WriteOwner : all) || !on;
}

} // namespace

class tst_settings : public QObject {
    Q_OBJECT
private slots:
    void loads_data();
    void loads();
    void saves_data();
    void saves();
    void location_data();
    void location();
};

// What a load saw: whether it read a whole record, the settings after it as written, each
// message box ("prompt|title") and window it showed, and what the folder holds after it.
void tst_settings::loads_data() {
    rows<Load>();
    const QByteArray stored = "/g/zdoom,/g/DOOM2.WAD,800,600,22050, 1 , 0 \r\n";
    row("stored values", "file", stored, 0, {"whole", stored, "brx.cfg"});
    // Only a plain file counts; when there is none, the paths are cleared.
    row("a folder", "folder", "", 0,
        {"", ",,w,h,rate, 2 , 1 \r\n", first_run, "doom_setup", "brx.cfg"});
    // A damaged file is reported even by a silent load; once the message has been seen, a file
    // still damaged and unchanged is moved aside (replacing an older one), so that the next
    // load is a first run. What was read before the end stays; doom_iwad is cleared.
    const QByteArray two_paths = "C:\\zdoom.exe,C:\\DOOM2.WAD\r\n";
    const QString first_path = "C:\\zdoom.exe,,w,h,rate, 2 , 1 \r\n";
    row("damaged", "file", two_paths, 0, {"", first_path, corrupt, "brx.cfg.damaged"});
    row("damaged, an older one aside", "file, older aside", two_paths, -1,
        {"", first_path, corrupt, "brx.cfg.damaged"});
    // A link stays; the file it names is moved aside beside it.
    row("damaged, through a link", "link to a file", two_paths, -1,
        {"", first_path, corrupt, "brx.cfg->real.cfg real.cfg.damaged"});
    // Mended or changed while the message is up: the file stays, and a mended one is read.
    row("damaged, mended meanwhile", "file, mended meanwhile", two_paths, 0,
        {"whole", stored, corrupt, "brx.cfg"});
    row("damaged, other bytes meanwhile", "file, other bytes meanwhile", two_paths, 0,
        {"", first_path, corrupt, "brx.cfg"});
    row("damaged, saved again meanwhile", "file, saved again meanwhile", two_paths, 0,
        {"", first_path, corrupt, "brx.cfg"});
    // When it cannot be moved, the load goes on all the same.
    row("damaged, unmovable", "undeletable file", two_paths, -1,
        {"", first_path, corrupt, "brx.cfg"});
    // A file that cannot be read is no sign of damage: it stays, and a prompting load names
    // it and the reason.
    row("unreadable", "link to unreadable", "", 0,
        {"", "caller exe,caller iwad,w,h,rate, 2 , 1 \r\n",
         "The settings could not be read from\nbrx.cfg\n\nInput/output error|Error!",
         "brx.cfg->mem"});
    row("unreadable, silent", "link to unreadable", "", -1,
        {"", "caller exe,caller iwad,w,h,rate, 2 , 1 \r\n", "brx.cfg->mem"});
}

void tst_settings::loads() {
    const auto [cfg, bytes, silent, seen] = fetch<Load>();
    if (posix_only(cfg))
        QSKIP("made the POSIX way");
    Rig rig;
    make_cfg(rig, cfg, bytes);
    if (cfg.contains("older aside"))
        write_file(rig.cfg_path() + ".damaged", "older");
    // While the message is up, another program writes the file.
    const QByteArray stored = "/g/zdoom,/g/DOOM2.WAD,800,600,22050, 1 , 0 \r\n";
    rig.platform.on_message = [&, cfg = cfg, bytes = bytes] {
        QFile file(rig.cfg_path());
        const QDateTime time = QFileInfo(file).lastModified();
        if (!cfg.contains("meanwhile") || !file.open(QIODevice::WriteOnly))
            return;
        file.write(cfg.contains("mended") ? stored
                   : cfg.contains("other")
                       ? QByteArray(bytes).replace("DOOM2", "DOOM1") // the same size and time
                       : bytes);
        file.flush();
        file.setFileTime(cfg.contains("other") ? time : time.addSecs(60),
                         QFileDevice::FileModificationTime);
    };
    // A locked folder keeps its files.
    if (cfg.startsWith("undeletable") && !lock_folder(rig.dir.path(), true))
        QSKIP("brx.cfg cannot be made undeletable here");
    const auto unlock = qScopeGuard([&] { lock_folder(rig.dir.path(), false); });

    Settings settings{"caller exe", "caller iwad", "w", "h", "rate", 2, 1};
    const QStringList events{BRXdata::load_settings(rig.forms, silent, settings) ? "whole" : "",
                             write_record(settings)};
    // The folder: names, a link with the name of what it names; a file set aside holds the
    // damaged bytes.
    QStringList folder;
    for (const QFileInfo &info :
         QDir(rig.dir.path())
             .entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        if (info.fileName() == u"state")
            continue;
        folder << info.fileName() +
                      (info.isSymLink() ? "->" + QFileInfo(info.symLinkTarget()).fileName() : "");
        if (info.fileName().endsWith(".damaged"))
            QCOMPARE(read_file(info.filePath()), bytes);
    }
    QCOMPARE(events + rig.seen() + rig.platform.shown << folder.join(u' '), seen);
}

void tst_settings::saves_data() {
    rows<Save>();
    const QString exe = QStringLiteral("/usr/games/zdoom");
    // Through a link to the file it names, or to where none is yet.
    for (const char *cfg : {"link to a file", "link to nothing yet"})
        QTest::newRow(cfg) << Save{cfg, exe, true};
    QTest::newRow("a value of the longest length")
        << Save{"file", u'/' + QString(longest_value - 1, u'x'), true};
    // Refused, leaving everything as it was.
    QTest::newRow("a value one byte too long")
        << Save{"file", u'/' + QString(longest_value, u'x'), false};
    QTest::newRow("carriage return in a value") << Save{"file", "/a\rb", false};
    QTest::newRow("line feed in a value") << Save{"file", "/a\nb", false};
    QTest::newRow("NUL in a value") << Save{"file", QStringLiteral("/a") + QChar(0) + "b", false};
    QTest::newRow("a character the encoding lacks")
        << Save{"file", QStringLiteral("/a") + QChar(0xD800), false};
    for (const char *cfg : {"no folder", "full disk", "link to a pipe", "link to itself"})
        QTest::newRow(cfg) << Save{cfg, exe, false};
}

void tst_settings::saves() {
    const auto [cfg, exe, saved] = fetch<Save>();
    if (posix_only(cfg))
        QSKIP("made the POSIX way");
    Rig rig;
    make_cfg(rig, cfg, "/old/zdoom,/old/DOOM.WAD,640,480,44100, 2 , 1 \r\n");
    const QStringList before = snapshot(rig.dir.path());

    const Settings settings{exe, "/home/me/a,b/DOOM.WAD", "640", "480", "44100", 2, 0};
    QString why;
    limit_file_size(cfg == "full disk");
    const bool done = BRXdata::save_settings(rig.platform, settings, &why);
    limit_file_size(false);
    QCOMPARE(done, saved);
    QCOMPARE(why.isEmpty(), saved);
    // Saved, a link stays a link and nothing is left beside the file; refused, all is as it was.
    const QString real = rig.dir.filePath("real.cfg"), record = write_record(settings);
    const QStringList after = !saved ? before
                              : cfg.startsWith("link")
                                  ? QStringList{"brx.cfg" + real + record, "real.cfg" + record}
                                  : QStringList{"brx.cfg" + record};
    QCOMPARE(snapshot(rig.dir.path()), after);
}

// Where a first-run load, a save and a load after it find brx.cfg, given as "program/brx.cfg"
// or "config/brixmoor/brx.cfg": then what the first load said ("whole", or its messages),
// whether the save was done (or why not), what the load after it read, and every file left
// holding the saved record.
void tst_settings::location_data() {
    rows<Where>();
    const QString beside = "program/brx.cfg", user = "config/brixmoor/brx.cfg";
    const QString saved = "p,i,640,480,44100, 2 , 0 \r\n";
    auto row = [](const char *name, const char *program, const char *cfg, const char *config,
                  const QStringList &seen) {
        QTest::newRow(name) << Where{program, cfg, config, seen};
    };
    // Portable where brx.cfg is or can be made, whatever the user's folder holds.
    row("writable, first run", "writable", "", "", {beside, first_run, "saved", saved, beside});
    row("writable, the user's file unread", "writable", "", "file",
        {beside, first_run, "saved", saved, user + " old|" + beside});
    row("read-only, a brx.cfg there", "read-only", "file", "file",
        {beside, "whole", "not saved", "old", user + " old|" + beside + " old"});
    // A link saves to the file it names, wherever that is.
    row("read-only, a link to a file not made yet", "read-only", "dangling link", "",
        {beside, first_run, "saved", saved, "nothing|" + beside});
    // Otherwise in the user's folder, made on the first save.
    row("read-only, first run", "read-only", "", "", {user, first_run, "saved", saved, user});
    row("read-only, the user's file", "read-only", "", "file",
        {user, "whole", "saved", saved, user});
    // Nowhere to write: the save says why, and nothing is lost.
    row("read-only, the user's folder blocked", "read-only", "", "blocked",
        {user, first_run, "The folder config/brixmoor cannot be created.", "", ""});
    row("read-only, no user's folder", "read-only", "", "none",
        {beside, first_run, "not saved", "", ""});
    // A system folder or another user's is shared: whoever runs the launcher first, root too,
    // must not make its settings everyone's. Only where brx.cfg would be is looked at.
    row("a system folder", "/usr/games", "file", "", {user});
    row("another user's folder, a brx.cfg there", "another user's", "file", "", {user});
}

void tst_settings::location() {
    const auto [program, cfg, config, seen] = fetch<Where>();
    Rig rig;
    const QString root = rig.dir.path(), folder = rig.dir.filePath("program");
    const QString old = "/old/zdoom,/old/DOOM.WAD,640,480,44100, 2 , 1 \r\n";
    QVERIFY(QDir().mkdir(folder));
    rig.platform.folder = QDir::toNativeSeparators(program.startsWith(u'/') ? program : folder);
    if (config != "none")
        rig.platform.config_folder = QDir::toNativeSeparators(root + "/config/brixmoor");
    if (cfg == "file")
        write_file(folder + "/brx.cfg", old.toUtf8());
    else if (cfg == "dangling link")
        QVERIFY(QFile::link(root + "/nothing", folder + "/brx.cfg"));
    if (config == "file") {
        QVERIFY(QDir().mkpath(root + "/config/brixmoor"));
        write_file(root + "/config/brixmoor/brx.cfg", old.toUtf8());
    } else if (config == "blocked")
        write_file(root + "/config", "a file, not a folder");
    const auto unlock = qScopeGuard([&] { lock_folder(folder, false); });
    if (program == "read-only" &&
        (!lock_folder(folder, true) || QTemporaryFile(folder + "/probe-XXXXXX").open()))
        QSKIP("the program folder cannot be made read-only here");
    if (program == "another user's" &&
        (!is_root() || QProcess::execute("chown", {"65534", folder}) != 0))
        QSKIP("only root can give a folder to another user");

    const auto relative = [&](const QString &path) {
        return QDir(root).relativeFilePath(QDir::fromNativeSeparators(path));
    };
    QStringList events{relative(BRXdata::settings_path(rig.platform))};
    if (program != "writable" && program != "read-only") {
        QCOMPARE(events, seen);
        return;
    }
    Settings first{"e", "i", "w", "h", "r", 0, 0};
    events << (BRXdata::load_settings(rig.forms, 0, first) ? QStringList{"whole"} : rig.seen());
    QString why;
    const Settings chosen{"p", "i", "640", "480", "44100", 2, 0};
    const bool saved = BRXdata::save_settings(rig.platform, chosen, &why);
    events << (saved ? QStringLiteral("saved")
               : why.contains("cannot be created")
                   ? why.replace(QDir::toNativeSeparators(root) + QDir::separator(), QString())
                   : QStringLiteral("not saved"));
    Settings after{};
    const bool whole = BRXdata::load_settings(rig.forms, -1, after);
    const QString record = QString::fromUtf8(write_record(after));
    events << (!whole ? QString() : record == old ? QStringLiteral("old") : record);
    // Every file under the test folder that holds the new record or the old one.
    QStringList holding;
    QDirIterator files(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QByteArray bytes = read_file(path);
        if (bytes == write_record(chosen))
            holding << relative(path);
        else if (bytes == old)
            holding << relative(path) + " old";
    }
    holding.sort();
    events << holding.join('|');
    QCOMPARE(events, seen);
}

QTEST_MAIN(tst_settings)
#include "tst_settings.moc"
