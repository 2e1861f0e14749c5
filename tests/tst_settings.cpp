// Loading and saving brx.cfg: the first run, a damaged file, and saves that must either
// replace the whole record or report why they could not.
#include "brxdata.h"
#include "rig.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>

using namespace brx;

namespace {

const QString first_run_prompt = QStringLiteral(
    "BRX needs to be configured...\n\rPlease note: this will only need to be done once");
const QString first_run_title = QStringLiteral("BRX needs to be configured...");

Settings starting_values() {
    return {"caller exe", "caller iwad", "w", "h", "rate", 2, 1};
}

} // namespace

class tst_settings : public QObject {
    Q_OBJECT
private slots:
    void missing_file_prompts();
    void missing_file_silent();
    void a_folder_named_brx_cfg_is_no_file();
    void damaged_file_data();
    void damaged_file();
    void undeletable_damaged_file();
    void reads_stored_values();
    void saves_the_record();
    void failed_save_reports_and_keeps_old_file_data();
    void failed_save_reports_and_keeps_old_file();
};

void tst_settings::missing_file_prompts() {
    Rig rig;
    Settings settings = starting_values();
    BRXdata::load_settings(rig.forms, 0, settings);

    QCOMPARE(rig.platform.messages.size(), 1);
    QCOMPARE(rig.platform.messages[0].prompt, first_run_prompt);
    QCOMPARE(rig.platform.messages[0].title, first_run_title);
    QCOMPARE(rig.platform.shown, QStringList{"doom_setup"});
    // The paths are cleared, the rest keep the caller's starting values.
    QVERIFY(settings == Settings({"", "", "w", "h", "rate", 2, 1}));
}

void tst_settings::missing_file_silent() {
    Rig rig;
    Settings settings = starting_values();
    BRXdata::load_settings(rig.forms, -1, settings);
    QVERIFY(rig.platform.messages.isEmpty());
    QVERIFY(rig.platform.shown.isEmpty());
    QVERIFY(settings == Settings({"", "", "w", "h", "rate", 2, 1}));
}

void tst_settings::a_folder_named_brx_cfg_is_no_file() {
    Rig rig;
    QVERIFY(QDir(rig.dir.path()).mkdir("brx.cfg"));
    Settings settings = starting_values();
    BRXdata::load_settings(rig.forms, 0, settings);
    QCOMPARE(rig.platform.messages.size(), 1);
    QCOMPARE(rig.platform.messages[0].title, first_run_title);
    QVERIFY(QFileInfo(rig.cfg_path()).isDir());
}

void tst_settings::damaged_file_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Settings>("expected");
    QTest::newRow("empty") << QByteArray() << Settings{"caller exe", "", "w", "h", "rate", 2, 1};
    QTest::newRow("two paths") << QByteArray("C:\\zdoom.exe,C:\\DOOM2.WAD\r\n")
                               << Settings{"C:\\zdoom.exe", "", "w", "h", "rate", 2, 1};
    QTest::newRow("cut after the card") << QByteArray("/zdoom,/DOOM.WAD,320,200,11025, 0 ,")
                                        << Settings{"/zdoom", "", "320", "200", "11025", 0, 1};
}

void tst_settings::damaged_file() {
    QFETCH(QByteArray, bytes);
    QFETCH(Settings, expected);
    for (const qint16 silent : {qint16(0), qint16(-1)}) {
        Rig rig;
        rig.write_cfg(bytes);
        Settings settings = starting_values();
        BRXdata::load_settings(rig.forms, silent, settings);

        QCOMPARE(rig.platform.messages.size(), 1);
        QCOMPARE(rig.platform.messages[0].prompt, QStringLiteral("Config file corrupt"));
        QCOMPARE(rig.platform.messages[0].title, QStringLiteral("Error!"));
        QVERIFY(rig.platform.shown.isEmpty());
        QVERIFY(!rig.cfg_exists());
        QVERIFY(settings == expected);

        // The file is gone, so the next prompting load is a first run.
        Settings again;
        BRXdata::load_settings(rig.forms, 0, again);
        QCOMPARE(rig.platform.messages.last().title, first_run_title);
    }
}

void tst_settings::undeletable_damaged_file() {
    Rig rig;
    rig.write_cfg("C:\\zdoom.exe,C:\\DOOM2.WAD\r\n");
    // A read-only folder keeps its files; root ignores that, so for root the file is made
    // immutable instead.
    QFile folder(rig.dir.path());
    const QFile::Permissions permissions = folder.permissions();
    folder.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    bool immutable = false;
    const auto restore = qScopeGuard([&] {
        if (immutable)
            QProcess::execute("chattr", {"-i", rig.cfg_path()});
        folder.setPermissions(permissions);
    });
    if (QFile probe(rig.dir.filePath("probe")); probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        immutable = QProcess::execute("chattr", {"+i", rig.cfg_path()}) == 0;
        if (!immutable)
            QSKIP("brx.cfg cannot be made undeletable here");
    }

    Settings settings = starting_values();
    BRXdata::load_settings(rig.forms, 0, settings);
    QCOMPARE(rig.platform.messages.size(), 1);
    QCOMPARE(rig.platform.messages[0].prompt, QStringLiteral("Config file corrupt"));
    QVERIFY(rig.platform.shown.isEmpty());
    QVERIFY(rig.cfg_exists());
    QVERIFY(settings == (Settings{"C:\\zdoom.exe", "", "w", "h", "rate", 2, 1}));
}

void tst_settings::reads_stored_values() {
    Rig rig;
    rig.write_cfg("/usr/games/zdoom,/srv/My Games/DOOM2.WAD,800,600,22050, 1 , 0 \r\n");
    Settings settings = starting_values();
    BRXdata::load_settings(rig.forms, 0, settings);
    QVERIFY(rig.platform.messages.isEmpty());
    QVERIFY(settings ==
            Settings({"/usr/games/zdoom", "/srv/My Games/DOOM2.WAD", "800", "600", "22050", 1, 0}));
}

void tst_settings::saves_the_record() {
    Rig rig;
    rig.write_cfg(QByteArray(4096, 'x'));
    const Settings settings{
        "/usr/games/zdoom", "/home/me/a,b/DOOM.WAD", "640", "480", "44100", 2, 0};
    QString why;
    QVERIFY(BRXdata::save_settings(rig.platform, settings, &why));
    QCOMPARE(rig.cfg(), QByteArray("/usr/games/zdoom,\"/home/me/a,b/DOOM.WAD\",640,480,44100, 2 , "
                                   "0 \r\n"));
    Settings back;
    BRXdata::load_settings(rig.forms, -1, back);
    QVERIFY(back == settings);
}

void tst_settings::failed_save_reports_and_keeps_old_file_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("exe");
    QTest::newRow("quote in a value") << QString() << QStringLiteral("/games/\"zdoom\"");
    QTest::newRow("line break in a value") << QString() << QStringLiteral("/games/zdoom\n");
    QTest::newRow("folder missing")
        << QStringLiteral("no such folder") << QStringLiteral("/usr/games/zdoom");
}

void tst_settings::failed_save_reports_and_keeps_old_file() {
    QFETCH(QString, folder);
    QFETCH(QString, exe);
    Rig rig;
    const QByteArray old = "/old/zdoom,/old/DOOM.WAD,640,480,44100, 2 , 1 \r\n";
    rig.write_cfg(old);
    if (!folder.isEmpty())
        rig.platform.folder = rig.dir.filePath(folder);
    QString why;
    QVERIFY(!BRXdata::save_settings(rig.platform, {exe, "/DOOM.WAD", "", "", "", 0, 0}, &why));
    QVERIFY(!why.isEmpty());
    QCOMPARE(rig.cfg(), old);
    QCOMPARE(QDir(rig.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"brx.cfg"});
}

QTEST_MAIN(tst_settings)
#include "tst_settings.moc"
