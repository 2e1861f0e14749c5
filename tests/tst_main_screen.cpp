// The main window: its controls, start-up with its two settings loads, the IWAD indicator
// and the keyboard.
#include "layout_check.h"
#include "rig.h"
#include "widgets.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>

using namespace brx;

namespace {

const QString first_run_title = QStringLiteral("BRX needs to be configured...");

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
    void controls_data();
    void controls();
    void window();
    void captions_fit();
    void start_up_with_settings();
    void first_run_saved();
    void first_run_closed_without_saving();
    void damaged_file_at_start_up();
    void iwad_kind_data();
    void iwad_kind();
    void iwad_kind_never_returns_to_unknown();
    void keyboard_order_and_enter();
    void buttons_open_their_dialogs();
    void quit_and_close();
};

void tst_main_screen::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<bool>("visible");

    auto row = [](const char *name, const char *kind, const char *caption, QRect rect,
                  bool visible = true) {
        QTest::newRow(name) << QString(name) << QString(kind) << QString(caption) << rect
                            << visible;
    };
    row("launch_button", "QPushButton", "Launch SP game...", {5160, 240, 1575, 495});
    row("MP_Button", "QPushButton", "Multiplayer game...", {5160, 840, 1575, 495});
    row("DCFG_Button", "QPushButton", "ZDoom Config...", {5160, 1440, 1575, 495});
    row("Help_Button", "QPushButton", "About/Help!", {5160, 2040, 1575, 495});
    row("quit_button", "QPushButton", "Quit", {5160, 2640, 1575, 495});
    row("Image1", "QLabel", "", {120, 120, 4860, 3060});
    row("Image2", "QLabel", "", {120, 120, 4800, 3000}, false); // start-up moved it from -1320
    row("display_iwad", "QLabel", "IWAD: Unknown", {120, 3240, 4815, 255});
    row("Launcher_version", "QLabel", "Version  1.00", {5160, 3240, 1575, 255});
}

void tst_main_screen::controls() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(bool, visible);

    Rig rig;
    rig.write_cfg("/usr/games/zdoom,/nothing.wad,640,480,44100, 2 , 0 \r\n");
    rig.main.Form_Load();
    rig.main.show();
    QWidget *widget = child(rig.main, qPrintable(name));
    QCOMPARE(widget->metaObject()->className(), kind);
    QCOMPARE(widget->parentWidget(), &rig.main);
    QCOMPARE(widget->geometry(), twips_rect(twips.x(), twips.y(), twips.width(), twips.height()));
    QCOMPARE(widget->isVisible(), visible);
    QVERIFY(widget->isEnabled());
    if (auto *button = qobject_cast<QPushButton *>(widget))
        QCOMPARE(button->text(), caption);
    else if (auto *label = qobject_cast<QLabel *>(widget); !caption.isEmpty())
        QCOMPARE(label->text(), caption);
}

void tst_main_screen::window() {
    Rig rig;
    rig.write_cfg("/usr/games/zdoom,/DOOM2.WAD,640,480,44100, 2 , 0 \r\n");
    rig.main.Form_Load();
    QCOMPARE(rig.main.windowTitle(), QStringLiteral("BRX"));
    QCOMPARE(rig.main.minimumSize(), QSize(455, 239));
    QCOMPARE(rig.main.maximumSize(), QSize(455, 239));
    QVERIFY(rig.main.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(rig.main.windowFlags() & Qt::WindowMaximizeButtonHint));
    centre_on_screen(&rig.main);
    const QRect screen = rig.main.screen()->availableGeometry();
    QVERIFY((rig.main.geometry().center() - screen.center()).manhattanLength() <= 1);
    rig.main.show();
    QCOMPARE(rig.main.Image1->pixmap().size(), rig.main.Image1->size()); // stretched
    rig.main.show_iwad_kind("/DOOM.WAD");
    QCOMPARE(rig.main.Image2->pixmap().size(), QSize(320, 200));
}

void tst_main_screen::captions_fit() {
    Rig rig;
    rig.write_cfg("/usr/games/zdoom,/DOOM2.WAD,640,480,44100, 2 , 0 \r\n");
    rig.main.Form_Load();
    rig.main.show();
    const QStringList problems = layout_problems(rig.main);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

void tst_main_screen::start_up_with_settings() {
    Rig rig;
    rig.platform.launcher_version = {2, 3, 14};
    rig.write_cfg("/usr/games/zdoom,/srv/doom/doom2.wad,640,480,44100, 2 , 0 \r\n");
    rig.main.Form_Load();
    QVERIFY(rig.platform.messages.isEmpty());
    QVERIFY(rig.platform.shown.isEmpty());
    QCOMPARE(rig.main.Launcher_version->text(), QStringLiteral("Version  2.314"));
    QCOMPARE(rig.main.iwad_caption(), QStringLiteral("IWAD: Doom2"));
}

void tst_main_screen::first_run_saved() {
    Rig rig;
    rig.platform.script("doom_setup", [](QDialog &setup) {
        type_into(setup, "doom_exe", "/usr/games/zdoom");
        type_into(setup, "doom_iwad", "/usr/share/games/doom/DOOM.WAD");
        click(setup, "Okay_Button");
    });
    rig.main.Form_Load();
    QCOMPARE(titles(rig.platform), QStringList{first_run_title});
    QCOMPARE(rig.platform.shown, QStringList{"doom_setup"});
    QCOMPARE(rig.cfg(), QByteArray("/usr/games/zdoom,/usr/share/games/doom/DOOM.WAD,640,480,"
                                   "44100, 2 , 1 \r\n"));
    QCOMPARE(rig.main.iwad_caption(), QStringLiteral("IWAD: Doom"));
    QVERIFY(rig.main.Image2->isVisibleTo(&rig.main));
    QVERIFY(!rig.main.Image1->isVisibleTo(&rig.main));
}

void tst_main_screen::first_run_closed_without_saving() {
    Rig rig;
    rig.main.Form_Load(); // no scripts: both setup dialogs are closed by their close box
    QCOMPARE(titles(rig.platform), (QStringList{first_run_title, first_run_title}));
    QCOMPARE(rig.platform.shown, (QStringList{"doom_setup", "doom_setup"}));
    QVERIFY(!rig.cfg_exists());
    QCOMPARE(rig.main.iwad_caption(), QStringLiteral("IWAD: Unknown"));
    QVERIFY(rig.main.Image1->isVisibleTo(&rig.main));
}

void tst_main_screen::damaged_file_at_start_up() {
    Rig rig;
    rig.write_cfg("");
    rig.main.Form_Load();
    QCOMPARE(titles(rig.platform), (QStringList{"Error!", first_run_title}));
    QCOMPARE(rig.platform.messages[0].prompt, QStringLiteral("Config file corrupt"));
    QCOMPARE(rig.platform.shown, QStringList{"doom_setup"});
    QVERIFY(!rig.cfg_exists());
}

void tst_main_screen::iwad_kind_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("caption");
    QTest::newRow("DOOM.WAD") << "C:\\DOOM\\DOOM.WAD"
                              << "IWAD: Doom";
    QTest::newRow("lower case") << "c:\\doom\\doom.wad"
                                << "IWAD: Doom";
    QTest::newRow("FREEDOOM.WAD ends in DOOM.WAD") << "/usr/share/games/doom/freedoom.wad"
                                                   << "IWAD: Doom";
    QTest::newRow("DOOM2.WAD") << "/srv/Doom2.Wad"
                               << "IWAD: Doom2";
    QTest::newRow("name alone") << "doom2.wad"
                                << "IWAD: Doom2";
    QTest::newRow("DOOM1.WAD") << "C:\\DOOM\\DOOM1.WAD"
                               << "IWAD: Unknown";
    QTest::newRow("TNT.WAD") << "C:\\DOOM\\TNT.WAD"
                             << "IWAD: Unknown";
    QTest::newRow("PLUTONIA.WAD") << "C:\\DOOM\\PLUTONIA.WAD"
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
    rig.write_cfg(QStringLiteral("/usr/games/zdoom,%1,640,480,44100, 2 , 0 \r\n")
                      .arg(path.contains(u' ') ? u'"' + path + u'"' : path)
                      .toLocal8Bit());
    rig.main.Form_Load();
    QCOMPARE(rig.main.iwad_caption(), caption);
    const bool doom = caption == u"IWAD: Doom";
    QCOMPARE(rig.main.Image1->isVisibleTo(&rig.main), !doom);
    QCOMPARE(rig.main.Image2->isVisibleTo(&rig.main), doom);
}

void tst_main_screen::iwad_kind_never_returns_to_unknown() {
    Rig rig;
    rig.main.show_iwad_kind("/games/DOOM.WAD");
    for (const char *path : {"/games/TNT.WAD", "", "/games/heretic.wad"}) {
        rig.main.show_iwad_kind(path);
        QCOMPARE(rig.main.iwad_caption(), QStringLiteral("IWAD: Doom"));
        QVERIFY(rig.main.Image2->isVisibleTo(&rig.main));
    }
    rig.main.show_iwad_kind("/games/DOOM2.WAD");
    rig.main.show_iwad_kind("/games/plutonia.wad");
    QCOMPARE(rig.main.iwad_caption(), QStringLiteral("IWAD: Doom2"));
}

void tst_main_screen::keyboard_order_and_enter() {
    Rig rig;
    rig.write_cfg("/usr/games/zdoom,/DOOM2.WAD,640,480,44100, 2 , 0 \r\n");
    rig.main.Form_Load();
    rig.main.show();
    QApplication::setActiveWindow(&rig.main);
    QVERIFY(QTest::qWaitForWindowActive(&rig.main));

    QStringList order;
    for (int i = 0; i < 6; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order, (QStringList{"launch_button", "quit_button", "MP_Button", "DCFG_Button",
                                 "Help_Button", "launch_button"}));

    // Enter and Space press the focused button: with the window just opened, Launch.
    QSignalSpy launch(rig.main.launch_button, &QPushButton::clicked);
    QSignalSpy config(rig.main.DCFG_Button, &QPushButton::clicked);
    QTest::keyClick(rig.main.launch_button, Qt::Key_Return);
    QTest::keyClick(rig.main.launch_button, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(launch.count(), 2);
    rig.main.DCFG_Button->setFocus();
    QTest::keyClick(rig.main.DCFG_Button, Qt::Key_Space);
    QCOMPARE(config.count(), 1);
    QCOMPARE(rig.platform.shown, QStringList{"doom_setup"});
}

void tst_main_screen::buttons_open_their_dialogs() {
    Rig rig;
    rig.write_cfg("/usr/games/zdoom,/DOOM2.WAD,640,480,44100, 2 , 0 \r\n");
    // Stand-ins for the dialogs this test does not look into.
    for (auto [id, name] : {std::pair{FormId::launch_solo, "launch_solo"},
                            std::pair{FormId::launch_multi, "launch_multi"},
                            std::pair{FormId::aboutbox, "aboutbox"}}) {
        rig.forms.define(id, [name](Forms &) {
            auto dialog = std::make_unique<QDialog>();
            dialog->setObjectName(QString::fromLatin1(name));
            return dialog;
        });
    }
    rig.main.Form_Load();
    for (const char *button : {"launch_button", "MP_Button", "DCFG_Button", "Help_Button"})
        click(rig.main, button);
    QCOMPARE(rig.platform.shown,
             (QStringList{"launch_solo", "launch_multi", "doom_setup", "aboutbox"}));
    QVERIFY(!rig.platform.program_ended);
}

void tst_main_screen::quit_and_close() {
    Rig rig;
    rig.main.Form_Load(); // nothing configured
    const int messages = int(rig.platform.messages.size());
    click(rig.main, "quit_button");
    QVERIFY(rig.platform.program_ended);
    QCOMPARE(rig.platform.messages.size(), messages);

    rig.main.show();
    QVERIFY(rig.main.close());
}

QTEST_MAIN(tst_main_screen)
#include "tst_main_screen.moc"
