// The main window: start-up with its two settings loads, the IWAD indicator and its pictures,
// the buttons and the keyboard.
#include "form_rules.h"
#include "rig.h"

#include <QScreen>
#include <QSignalSpy>

using namespace brx;

namespace {

const QString first_run = QStringLiteral("BRX needs to be configured...");

QStringList titles(const TestPlatform &platform) {
    QStringList list;
    for (const TestPlatform::Message &message : platform.messages)
        list << message.title;
    return list;
}

} // namespace

class tst_main_screen : public QObject {
    Q_OBJECT
private slots:
    void start_up_data();
    void start_up();
    void iwad_kind_data();
    void iwad_kind();
    void iwad_kind_never_returns_to_unknown();
    void placed_and_pictured();
    void buttons_and_keyboard();
};

// What start-up asks and shows, by what brx.cfg holds and what the first-run setup does.
void tst_main_screen::start_up_data() {
    QTest::addColumn<QByteArray>("cfg"); // "-": no file
    QTest::addColumn<bool>("setup_saves");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("setups");
    QTest::addColumn<QString>("caption");

    QTest::newRow("configured") << QByteArray(
                                       "/g/zdoom,/srv/doom/doom2.wad,640,480,44100, 2 , 0 \r\n")
                                << false << QStringList() << 0 << "IWAD: Doom2";
    QTest::newRow("first run, saved")
        << QByteArray("-") << true << QStringList{first_run} << 1 << "IWAD: Doom";
    QTest::newRow("first run, closed twice")
        << QByteArray("-") << false << QStringList{first_run, first_run} << 2 << "IWAD: Unknown";
    QTest::newRow("damaged file") << QByteArray("") << false << QStringList{"Error!", first_run}
                                  << 1 << "IWAD: Unknown";
}

void tst_main_screen::start_up() {
    QFETCH(QByteArray, cfg);
    QFETCH(bool, setup_saves);
    QFETCH(QStringList, messages);
    QFETCH(int, setups);
    QFETCH(QString, caption);
    Rig rig;
    rig.platform.launcher_version = {2, 3, 14};
    if (cfg != "-")
        rig.write_cfg(cfg);
    if (setup_saves) {
        rig.platform.script("doom_setup", [](QDialog &setup) {
            type_into(setup, "doom_exe", "/usr/games/zdoom");
            type_into(setup, "doom_iwad", "/usr/share/games/doom/DOOM.WAD");
            click(setup, "Okay_Button");
        });
    }
    rig.main.Form_Load();
    QCOMPARE(titles(rig.platform), messages);
    QCOMPARE(rig.platform.shown, QStringList(setups, "doom_setup"));
    QCOMPARE(rig.main.iwad_caption(), caption);
    QCOMPARE(rig.main.Launcher_version->text(), QStringLiteral("Version  2.314"));
    if (cfg.isEmpty())
        QVERIFY(!rig.cfg_exists()); // the damaged file is gone
}

void tst_main_screen::iwad_kind_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("caption");
    QTest::newRow("DOOM.WAD") << "C:\\DOOM\\DOOM.WAD"
                              << "IWAD: Doom";
    QTest::newRow("lower case") << "c:\\doom\\doom.wad"
                                << "IWAD: Doom";
    QTest::newRow("FREEDOOM.WAD") << "/usr/share/games/doom/freedoom.wad"
                                  << "IWAD: Doom";
    QTest::newRow("DOOM2.WAD, name alone") << "Doom2.Wad"
                                           << "IWAD: Doom2";
    QTest::newRow("DOOM1.WAD") << "C:\\DOOM\\DOOM1.WAD"
                               << "IWAD: Unknown";
    QTest::newRow("TNT.WAD") << "C:\\DOOM\\TNT.WAD"
                             << "IWAD: Unknown";
    QTest::newRow("shorter than the name") << "OM.WAD"
                                           << "IWAD: Unknown";
    QTest::newRow("empty") << ""
                           << "IWAD: Unknown";
    QTest::newRow("trailing blank") << "DOOM2.WAD "
                                    << "IWAD: Unknown";
}

void tst_main_screen::iwad_kind() {
    QFETCH(QString, path);
    QFETCH(QString, caption);
    Rig rig;
    rig.write_cfg(("/g/zdoom,\"" + path + "\",640,480,44100, 2 , 0 \r\n").toLocal8Bit());
    rig.main.Form_Load();
    QCOMPARE(rig.main.iwad_caption(), caption);
    const bool doom = caption == u"IWAD: Doom";
    QCOMPARE(rig.main.Image1->isVisibleTo(&rig.main), !doom);
    QCOMPARE(rig.main.Image2->isVisibleTo(&rig.main), doom);
    QCOMPARE(rig.main.Image2->pos(), rig.main.Image1->pos());
}

void tst_main_screen::iwad_kind_never_returns_to_unknown() {
    Rig rig;
    rig.main.show_iwad_kind("/games/DOOM.WAD");
    for (const char *path : {"/games/TNT.WAD", ""})
        rig.main.show_iwad_kind(path);
    QCOMPARE(rig.main.iwad_caption(), QStringLiteral("IWAD: Doom"));
    rig.main.show_iwad_kind("/games/DOOM2.WAD");
    rig.main.show_iwad_kind("/games/plutonia.wad");
    QCOMPARE(rig.main.iwad_caption(), QStringLiteral("IWAD: Doom2"));
}

void tst_main_screen::placed_and_pictured() {
    Rig rig;
    rig.write_cfg("/g/zdoom,/DOOM2.WAD,640,480,44100, 2 , 0 \r\n");
    rig.main.Form_Load();
    QVERIFY(rig.main.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(rig.main.windowFlags() & Qt::WindowMaximizeButtonHint));
    centre_on_screen(rig.main);
    const QRect screen = rig.main.screen()->availableGeometry();
    QVERIFY((rig.main.geometry().center() - screen.center()).manhattanLength() <= 1);
    rig.main.show();
    QCOMPARE(rig.main.Image1->pixmap().size(), rig.main.Image1->size()); // stretched
    rig.main.show_iwad_kind("/DOOM.WAD");
    QCOMPARE(rig.main.Image2->pixmap().size(), QSize(320, 200)); // at its own size
}

// Enter and Space press the focused button, and only that one; each button opens its dialog.
void tst_main_screen::buttons_and_keyboard() {
    Rig rig;
    rig.write_cfg("/g/zdoom,/DOOM2.WAD,640,480,44100, 2 , 0 \r\n");
    for (const FormId id : {FormId::launch_solo, FormId::launch_multi, FormId::aboutbox})
        stand_in(rig.forms, id);
    rig.main.Form_Load();
    rig.main.show();
    QApplication::setActiveWindow(&rig.main);
    QVERIFY(QTest::qWaitForWindowActive(&rig.main));
    QCOMPARE(QApplication::focusWidget(), rig.main.launch_button);

    QSignalSpy launch(rig.main.launch_button, &QPushButton::clicked);
    QTest::keyClick(rig.main.launch_button, Qt::Key_Return);
    QTest::keyClick(rig.main.launch_button, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(launch.count(), 2);
    for (QPushButton *button : {rig.main.MP_Button, rig.main.DCFG_Button}) {
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
    }
    click(rig.main, "Help_Button");
    QCOMPARE(rig.platform.shown,
             (QStringList{"launch_solo", "launch_solo", "launch_multi", "doom_setup", "aboutbox"}));
    QVERIFY(!rig.platform.program_ended);
    click(rig.main, "quit_button");
    QVERIFY(rig.platform.program_ended);
    QVERIFY(rig.platform.messages.isEmpty());
}

QTEST_MAIN(tst_main_screen)
#include "tst_main_screen.moc"
