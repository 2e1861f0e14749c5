// Loading and saving brx.cfg: the first run, a damaged or unreadable file, and saves that must
// either replace the whole record or report why they could not and leave everything as it was.
#include "brxdata.h"
#include "rig.h"

#include <QDirIterator>
#include <QProcess>
#include <QScopeGuard>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace brx;

namespace {

// Message boxes as "prompt|title".
const QString first_run = QStringLiteral("BRX needs to be configured...\n\rPlease note: this will "
                                         "only need to be done once|BRX needs to be configured...");
const QString corrupt = QStringLiteral("Config file corrupt|Error!");
const QByteArray old_record = "/old/zdoom,/old/DOOM.WAD,640,480,44100, 2 , 1 \r\n";

const Settings caller{"caller exe", "caller iwad", "w", "h", "rate", 2, 1};

// Puts at brx.cfg what a row names, with old_record in every plain file. False when this
// machine cannot make it.
bool make_cfg(Rig &rig, const QString &kind, const QByteArray &bytes = old_record) {
    const QString cfg = rig.cfg_path(), real = rig.dir.filePath("real.cfg");
    if (kind.startsWith("link"))
        QFile::link(kind.endsWith("missing folder") ? rig.dir.filePath("gone/real.cfg")
                    : kind.endsWith("itself")       ? cfg
                    : kind.endsWith("unreadable")   ? QStringLiteral("/proc/self/mem")
                                                    : real,
                    cfg);
    if (kind == "full disk") {
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", rig.dir.path()}))
            return false;
        QFile filler(rig.dir.filePath("filler"));
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        rig.write_cfg(bytes);
        while (filler.write(QByteArray(1024, 'f')) == 1024) {
        }
    } else if (QFile file(real); kind == "link to a file") {
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    } else if (kind == "folder" || kind == "link to a folder") {
        QDir().mkdir(kind == "folder" ? cfg : real);
    } else if (kind == "pipe" || kind == "link to a pipe") {
        mkfifo(QFile::encodeName(kind == "pipe" ? cfg : real), 0600);
    } else if (kind == "link to a device") {
        return mknod(QFile::encodeName(real), S_IFCHR | 0600, makedev(1, 3)) == 0;
    } else if (!kind.startsWith("link") && kind != "none") {
        rig.write_cfg(bytes);
    }
    if (kind == "no folder")
        rig.platform.folder = rig.dir.filePath("gone");
    return true;
}

// Everything under a folder: names, kinds, link targets and the bytes of each file.
QStringList snapshot(const QString &folder) {
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QFile file(info.filePath());
        entries << info.filePath() + (info.isSymLink()             ? " -> " + info.symLinkTarget()
                                      : !info.isFile()             ? QStringLiteral(" no file")
                                      : file.open(QFile::ReadOnly) ? file.readAll().toHex(' ')
                                                                   : QByteArray());
    }
    entries.sort();
    return entries;
}

void load_row(const char *name, const char *cfg, const QByteArray &bytes, qint16 silent,
              const Settings &expected, const QStringList &shown, bool kept) {
    QTest::newRow(name) << cfg << bytes << silent << expected << shown << kept;
}

} // namespace

class tst_settings : public QObject {
    Q_OBJECT
private slots:
    void loads_data();
    void loads();
    void saves_data();
    void saves();
};

void tst_settings::loads_data() {
    QTest::addColumn<QString>("cfg");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint16>("silent");
    QTest::addColumn<Settings>("expected");
    QTest::addColumn<QStringList>("shown"); // message boxes as "prompt|title", and windows
    QTest::addColumn<bool>("kept");

    load_row("stored values", "file", "/g/zdoom,/g/DOOM2.WAD,800,600,22050, 1 , 0 \r\n", 0,
             {"/g/zdoom", "/g/DOOM2.WAD", "800", "600", "22050", 1, 0}, {}, true);
    // Only a plain file counts; when there is none, the paths are cleared.
    const Settings no_paths{"", "", "w", "h", "rate", 2, 1};
    load_row("missing", "none", "", 0, no_paths, {first_run, "doom_setup"}, false);
    load_row("a folder", "folder", "", 0, no_paths, {first_run, "doom_setup"}, true);
    // A damaged file is reported even by a silent load, and deleted (if it can be), so that the
    // next load is a first run. What was read before the end stays; doom_iwad is cleared.
    const QByteArray two_paths = "C:\\zdoom.exe,C:\\DOOM2.WAD\r\n";
    const Settings first_path{"C:\\zdoom.exe", "", "w", "h", "rate", 2, 1};
    load_row("empty", "file", "", 0, {"caller exe", "", "w", "h", "rate", 2, 1}, {corrupt}, false);
    load_row("two paths, silent", "file", two_paths, -1, first_path, {corrupt}, false);
    load_row("cut after the card", "file", "/zdoom,/DOOM.WAD,320,200,11025, 0 ,", 0,
             {"/zdoom", "", "320", "200", "11025", 0, 1}, {corrupt}, false);
    load_row("damaged, undeletable", "undeletable", two_paths, 0, first_path, {corrupt}, true);
    // A read error is no sign of damage: nothing is said, and the file stays.
    load_row("unreadable", "link unreadable", "", 0, caller, {}, true);
}

void tst_settings::loads() {
    QFETCH(QString, cfg);
    QFETCH(QByteArray, bytes);
    QFETCH(qint16, silent);
    QFETCH(Settings, expected);
    QFETCH(QStringList, shown);
    QFETCH(bool, kept);
    Rig rig;
    make_cfg(rig, cfg, bytes);
    // A read-only folder keeps its files; root ignores that, so for root the file is made
    // immutable instead.
    QFile folder(rig.dir.path());
    const QFile::Permissions permissions = folder.permissions();
    const bool undeletable = cfg == "undeletable", root = geteuid() == 0;
    if (undeletable && root && QProcess::execute("chattr", {"+i", rig.cfg_path()}) != 0)
        QSKIP("brx.cfg cannot be made undeletable here");
    const auto restore = qScopeGuard([&] {
        if (undeletable && root)
            QProcess::execute("chattr", {"-i", rig.cfg_path()});
        folder.setPermissions(permissions);
    });
    if (undeletable)
        folder.setPermissions(QFile::ReadOwner | QFile::ExeOwner);

    Settings settings = caller;
    // Only a whole record tells the caller that a second load would read the same.
    QCOMPARE(BRXdata::load_settings(rig.forms, silent, settings), cfg == "file" && kept);
    QVERIFY(settings == expected);
    QStringList events;
    for (const TestPlatform::Message &message : rig.platform.messages)
        events << message.prompt + u'|' + message.title;
    QCOMPARE(events + rig.platform.shown, shown);
    QCOMPARE(QFileInfo(rig.cfg_path()).exists() || QFileInfo(rig.cfg_path()).isSymLink(), kept);
}

void tst_settings::saves_data() {
    QTest::addColumn<QString>("cfg");
    QTest::addColumn<QString>("exe");
    QTest::addColumn<bool>("saved");
    const QString exe = QStringLiteral("/usr/games/zdoom");
    // Over a plain file, where nothing is, or through a link to the file it names.
    for (const char *cfg : {"file", "none", "link to a file", "link to nothing yet"})
        QTest::newRow(cfg) << cfg << exe << true;
    QTest::newRow("a value of the longest length")
        << "file" << u'/' + QString(longest_value - 1, u'x') << true;
    // Refused, leaving everything as it was.
    QTest::newRow("quote in a value") << "file" << QStringLiteral("/games/\"zdoom\"") << false;
    QTest::newRow("carriage return in a value") << "file" << QStringLiteral("/a\rb") << false;
    QTest::newRow("line feed in a value") << "file" << QStringLiteral("/a\nb") << false;
    QTest::newRow("a value one byte too long")
        << "file" << u'/' + QString(longest_value, u'x') << false;
    for (const char *cfg :
         {"no folder", "file size limit", "full disk", "folder", "pipe", "link to a pipe",
          "link to a device", "link to a folder", "link into a missing folder", "link to itself"})
        QTest::newRow(cfg) << cfg << exe << false;
}

void tst_settings::saves() {
    QFETCH(QString, cfg);
    QFETCH(QString, exe);
    QFETCH(bool, saved);
    Rig rig;
    const bool made = make_cfg(rig, cfg);
    const auto unmount = qScopeGuard([&] {
        if (made && cfg == "full disk")
            QProcess::execute("umount", {rig.dir.path()});
    });
    if (!made)
        QSKIP("this row needs root");
    const QStringList before = snapshot(rig.dir.path());

    // Past this size no file grows: the save's writes fail as on a full disk.
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    if (cfg == "file size limit") {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{16, unlimited.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
    }
    const Settings settings{exe, "/home/me/a,b/DOOM.WAD", "640", "480", "44100", 2, 0};
    QString why;
    const bool done = BRXdata::save_settings(rig.platform, settings, &why);
    setrlimit(RLIMIT_FSIZE, &unlimited);
    QCOMPARE(done, saved);
    if (!saved) {
        QVERIFY(!why.isEmpty());
        QCOMPARE(snapshot(rig.dir.path()), before);
        return;
    }
    QCOMPARE(rig.cfg(), write_record(settings));
    // A link stays a link, and nothing is left beside the file.
    QCOMPARE(QFileInfo(rig.cfg_path()).isSymLink(), cfg.startsWith("link"));
    QCOMPARE(snapshot(rig.dir.path()).size(), cfg.startsWith("link") ? 2 : 1);
    Settings back;
    QVERIFY(BRXdata::load_settings(rig.forms, -1, back));
    QVERIFY(back == settings);
}

QTEST_MAIN(tst_settings)
#include "tst_settings.moc"
