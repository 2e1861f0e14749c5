// The engine setup dialog: its controls, how it fills itself from brx.cfg, the "..." file
// dialogs, "Okay" with its checks and its save, and leaving it without saving.
#include "doom_setup.h"
#include "layout_check.h"
#include "rig.h"
#include "widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using namespace brx;

namespace {

const QByteArray stored =
    "/usr/games/zdoom,/usr/share/games/doom/DOOM2.WAD,800,600,22050, 1 , 0 \r\n";
const QString exe_filter =
    QStringLiteral("ZDoom executable (zdoom.exe)|zdoom.exe|ZdoomGL "
                   "(zdoomgl.exe)|zdoomgl.exe|All executables (*.exe)|*.exe");
const QString iwad_filter =
    QStringLiteral("Doom wad (doom.wad)|doom.wad|Doom2 wad (doom2.wad)|doom2.wad");

doom_setup &setup_of(QDialog &window) {
    return static_cast<doom_setup &>(window);
}

// Opens the dialog from the main window and runs the script in it.
void open_setup(Rig &rig, std::function<void(doom_setup &)> script) {
    rig.platform.script("doom_setup", [script](QDialog &window) { script(setup_of(window)); });
    rig.forms.show_modal(FormId::doom_setup);
    QCOMPARE(rig.platform.pending_scripts(), 0);
}

QStringList focus_order(QWidget &window, QWidget *first, int steps) {
    QStringList order;
    first->setFocus();
    for (int i = 0; i < steps; ++i) {
        QWidget *focused = QApplication::focusWidget();
        // The tab control takes the focus through its row of tabs.
        QWidget *named =
            focused && focused->objectName().startsWith(u"qt_") ? focused->parentWidget() : focused;
        order << (named ? named->objectName() : QString());
        QTest::keyClick(focused ? focused : &window, Qt::Key_Tab);
    }
    return order;
}

} // namespace

class tst_doom_setup : public QObject {
    Q_OBJECT
private slots:
    void controls_data();
    void controls();
    void window_and_layout();
    void first_run_presets();
    void fills_from_file_data();
    void fills_from_file();
    void okay_saves_the_record();
    void okay_stores_empty_text_for_unlisted_values();
    void okay_asks_for_missing_paths();
    void browse_starts_from_stored_paths();
    void refuses_unstorable_paths();
    void failed_save_keeps_dialog_open();
    void leaving_without_saving_data();
    void leaving_without_saving();
    void keyboard();
};

void tst_doom_setup::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");

    auto row = [](const char *name, const char *kind, const char *container, const char *caption,
                  QRect rect) {
        QTest::newRow(name) << QString(name) << QString(kind) << QString(container)
                            << QString(caption) << rect;
    };
    row("SSTab1", "QTabWidget", "doom_setup", "", {120, 120, 6015, 5895});
    row("Frame1", "QGroupBox", "SSTab1", "ZDoom Setup", {240, 600, 5535, 1935});
    row("Label1", "QLabel", "Frame1", "ZDoom or ZdoomGL executable...", {240, 360, 4335, 255});
    row("doom_exe", "QLineEdit", "Frame1", "", {240, 600, 4335, 285});
    row("get_exe", "QPushButton", "Frame1", "...", {4680, 600, 615, 255});
    row("Label2", "QLabel", "Frame1", "Doom or Doom2 IWAD...", {240, 1080, 2655, 255});
    row("doom_iwad", "QLineEdit", "Frame1", "", {240, 1320, 4335, 285});
    row("get_iwad", "QPushButton", "Frame1", "...", {4680, 1320, 615, 255});
    row("Frame2", "QGroupBox", "SSTab1", "General Setup", {240, 2760, 5535, 2895});
    row("Label3", "QLabel", "Frame2", "ZDoom resolution", {240, 480, 1335, 255});
    row("vid_res", "QComboBox", "Frame2", "", {1920, 480, 1215, 315});
    row("Label4", "QLabel", "Frame2", "Sound Sampling rate", {240, 960, 1575, 255});
    row("snd_rate", "QComboBox", "Frame2", "", {1920, 960, 1215, 315});
    row("Frame4", "QGroupBox", "SSTab1", "Card Configuration", {240, 720, 1815, 1095});
    row("Frame5", "QGroupBox", "SSTab1", "Other Options", {240, 1920, 5535, 3615});
    row("nomd2", "QCheckBox", "Frame5", "Don't use MD2 Models", {120, 360, 2415, 255});
    row("Okay_Button", "QPushButton", "doom_setup", "Okay", {3600, 6120, 1215, 375});
    row("Cancel_Button", "QPushButton", "doom_setup", "Cancel", {4920, 6120, 1215, 375});
}

void tst_doom_setup::controls() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);

    Rig rig;
    rig.write_cfg(stored);
    open_setup(rig, [&](doom_setup &setup) {
        auto *tabs = setup.SSTab1;
        QWidget *widget = child(setup, qPrintable(name));
        QCOMPARE(widget->metaObject()->className(), kind);
        // Frames on a tab page are placed relative to the tab control itself.
        QWidget *holder =
            container == setup.objectName() ? &setup : child(setup, qPrintable(container));
        if (holder == tabs)
            tabs->setCurrentWidget(widget->parentWidget());
        else
            QCOMPARE(widget->parentWidget(), holder);
        const QRect expected = twips_rect(twips.x(), twips.y(), twips.width(), twips.height());
        QCOMPARE(QRect(widget->mapTo(holder, QPoint(0, 0)), widget->size()), expected);
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            QCOMPARE(button->text(), caption);
        else if (auto *label = qobject_cast<QLabel *>(widget))
            QCOMPARE(label->text(), caption);
        else if (auto *frame = qobject_cast<QGroupBox *>(widget))
            QCOMPARE(frame->title(), caption);
    });
}

void tst_doom_setup::window_and_layout() {
    Rig rig;
    rig.write_cfg(stored);
    open_setup(rig, [&](doom_setup &setup) {
        QCOMPARE(setup.windowTitle(), QStringLiteral("ZDoom Configuration..."));
        QCOMPARE(setup.minimumSize(), QSize(419, 439));
        QCOMPARE(setup.maximumSize(), QSize(419, 439));
        QCOMPARE(setup.parentWidget(), &rig.main);
        QVERIFY(
            !(setup.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(setup.SSTab1->tabText(0), QStringLiteral("ZDoom Setup"));
        QCOMPARE(setup.SSTab1->tabText(1), QStringLiteral("ZDoomGL Setup"));

        const QList<QAbstractButton *> cards = setup.card->buttons();
        QCOMPARE(cards.size(), 3);
        const char *captions[] = {"Voodoo", "Voodoo2/3", "Normal AGP"};
        const int tops[] = {240, 480, 720}, widths[] = {975, 1215, 1215};
        for (int index = 0; index < 3; ++index) {
            QAbstractButton *option = setup.card->button(index);
            QCOMPARE(option->objectName(), QStringLiteral("card"));
            QCOMPARE(option->parentWidget(), setup.Frame4);
            QCOMPARE(option->text(), QString::fromLatin1(captions[index]));
            QCOMPARE(option->geometry(), twips_rect(120, tops[index], widths[index], 255));
        }
        QStringList resolutions, rates;
        for (int i = 0; i < setup.vid_res->count(); ++i)
            resolutions << setup.vid_res->itemText(i);
        for (int i = 0; i < setup.snd_rate->count(); ++i)
            rates << setup.snd_rate->itemText(i);
        QCOMPARE(resolutions, (QStringList{"320x200", "320x240", "400x300", "512x384", "640x400",
                                           "640x480", "800x600", "1024x768"}));
        QCOMPARE(rates, (QStringList{"11025", "22050", "44100"}));
        QVERIFY(!setup.vid_res->isEditable());

        for (int tab = 0; tab < 2; ++tab) {
            setup.SSTab1->setCurrentIndex(tab);
            const QStringList problems = layout_problems(setup);
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        }
    });
}

void tst_doom_setup::first_run_presets() {
    Rig rig;
    open_setup(rig, [](doom_setup &setup) {
        QCOMPARE(setup.doom_exe->text(), QString());
        QCOMPARE(setup.doom_iwad->text(), QString());
        QCOMPARE(setup.vid_res->currentText(), QStringLiteral("640x480"));
        QCOMPARE(setup.snd_rate->currentText(), QStringLiteral("44100"));
        QCOMPARE(setup.card->checkedId(), 2);
        QVERIFY(setup.nomd2->isChecked());
        QVERIFY(!setup.Cancel_Button->isEnabled());
        QCOMPARE(setup.SSTab1->currentIndex(), 0);
    });
    QVERIFY(rig.platform.messages.isEmpty()); // the dialog loads silently
}

void tst_doom_setup::fills_from_file_data() {
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("resolution");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<int>("card");
    QTest::addColumn<bool>("nomd2");
    QTest::addColumn<bool>("cancel");

    QTest::newRow("listed values")
        << QByteArray("/zdoom,/DOOM.WAD,1024,768,11025, 0 , 1 \r\n") << "1024x768"
        << "11025" << 0 << true << true;
    QTest::newRow("empty video and sound")
        << QByteArray("/zdoom,/DOOM.WAD,,,, 1 , 0 \r\n") << "640x480"
        << "44100" << 1 << false << true;
    QTest::newRow("unlisted values")
        << QByteArray("/zdoom,/DOOM.WAD,1280,1024,48000, 2 , 0 \r\n") << ""
        << "" << 2 << false << true;
    QTest::newRow("half a resolution")
        << QByteArray("/zdoom,/DOOM.WAD,640,,22050, 5 , 2 \r\n") << ""
        << "22050" << -1 << false << true;
    QTest::newRow("negative card")
        << QByteArray("/zdoom,/DOOM.WAD,320,200,22050,-1 , 0 \r\n") << "320x200"
        << "22050" << -1 << false << true;
    QTest::newRow("no engine") << QByteArray(",/DOOM.WAD,320,200,22050, 2 , 0 \r\n") << "320x200"
                               << "22050" << 2 << false << false;
    QTest::newRow("no IWAD") << QByteArray("/zdoom,,320,200,22050, 2 , 0 \r\n") << "320x200"
                             << "22050" << 2 << false << false;
}

void tst_doom_setup::fills_from_file() {
    QFETCH(QByteArray, record);
    QFETCH(QString, resolution);
    QFETCH(QString, rate);
    QFETCH(int, card);
    QFETCH(bool, nomd2);
    QFETCH(bool, cancel);
    Rig rig;
    rig.write_cfg(record);
    open_setup(rig, [&](doom_setup &setup) {
        QCOMPARE(setup.vid_res->currentIndex() < 0 ? QString() : setup.vid_res->currentText(),
                 resolution);
        QCOMPARE(setup.snd_rate->currentIndex() < 0 ? QString() : setup.snd_rate->currentText(),
                 rate);
        QCOMPARE(setup.card->checkedId(), card);
        QCOMPARE(setup.nomd2->isChecked(), nomd2);
        QCOMPARE(setup.Cancel_Button->isEnabled(), cancel);
    });
}

void tst_doom_setup::okay_saves_the_record() {
    Rig rig;
    rig.write_cfg(stored);
    rig.main.show_iwad_kind("/DOOM.WAD");
    open_setup(rig, [&](doom_setup &setup) {
        type_into(setup, "doom_iwad", "/srv/My Games/doom2.wad");
        setup.vid_res->setCurrentText("1024x768");
        setup.snd_rate->setCurrentText("11025");
        setup.card->button(0)->click();
        setup.nomd2->click();
        click(setup, "Okay_Button");
        QVERIFY(!rig.forms.loaded(FormId::doom_setup));
    });
    QCOMPARE(rig.cfg(),
             QByteArray("/usr/games/zdoom,/srv/My Games/doom2.wad,1024,768,11025, 0 , 1 \r\n"));
    QCOMPARE(rig.main.iwad_caption(), QStringLiteral("IWAD: Doom2"));
    QVERIFY(rig.platform.messages.isEmpty());

    // Reopened, it shows what was saved.
    open_setup(rig, [](doom_setup &setup) {
        QCOMPARE(setup.vid_res->currentText(), QStringLiteral("1024x768"));
        QCOMPARE(setup.card->checkedId(), 0);
    });
}

void tst_doom_setup::okay_stores_empty_text_for_unlisted_values() {
    Rig rig;
    rig.write_cfg("/zdoom,/srv/heretic.wad,1280,1024,48000, 7 , 0 \r\n");
    rig.main.show_iwad_kind("/DOOM.WAD");
    open_setup(rig, [](doom_setup &setup) { click(setup, "Okay_Button"); });
    // No card selected stores 0; an IWAD of no known kind leaves the main window alone.
    QCOMPARE(rig.cfg(), QByteArray("/zdoom,/srv/heretic.wad,,,, 0 , 0 \r\n"));
    QCOMPARE(rig.main.iwad_caption(), QStringLiteral("IWAD: Doom"));
    open_setup(rig, [](doom_setup &setup) {
        QCOMPARE(setup.vid_res->currentText(), QStringLiteral("640x480"));
        QCOMPARE(setup.snd_rate->currentText(), QStringLiteral("44100"));
    });
}

void tst_doom_setup::okay_asks_for_missing_paths() {
    Rig rig;
    rig.platform.answer_file(FileChoice{"/usr/games/zdoom", 3});
    rig.platform.answer_file(std::nullopt); // cancel: the message comes back
    rig.platform.answer_file(FileChoice{"/usr/share/games/doom/DOOM.WAD", 1});
    open_setup(rig, [](doom_setup &setup) { click(setup, "Okay_Button"); });

    const QStringList expected{"Please locate your ZDoom.exe...",
                               "Please locate your doom/doom2 IWAD...",
                               "Please locate your doom/doom2 IWAD..."};
    QCOMPARE(rig.platform.messages.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(rig.platform.messages[i].prompt, expected[i]);
        QCOMPARE(rig.platform.messages[i].title, QString()); // the application's title
    }
    QCOMPARE(rig.platform.file_requests.size(), 3);
    QCOMPARE(rig.platform.file_requests[0].title, QStringLiteral("Select ZDoom excutable..."));
    QCOMPARE(rig.platform.file_requests[0].filter, exe_filter);
    QCOMPARE(rig.platform.file_requests[1].title, QStringLiteral("Select ZDoom IWAD..."));
    QCOMPARE(rig.platform.file_requests[1].filter, iwad_filter);
    QCOMPARE(
        rig.cfg(),
        QByteArray("/usr/games/zdoom,/usr/share/games/doom/DOOM.WAD,640,480,44100, 2 , 1 \r\n"));
    QCOMPARE(rig.main.iwad_caption(), QStringLiteral("IWAD: Doom"));
}

void tst_doom_setup::browse_starts_from_stored_paths() {
    Rig rig;
    rig.write_cfg(stored);
    rig.platform.answer_file(std::nullopt);
    rig.platform.answer_file(FileChoice{"/opt/zdoom/zdoom", 1});
    rig.platform.answer_file(FileChoice{"/srv/doom.wad", 2});
    open_setup(rig, [&](doom_setup &setup) {
        type_into(setup, "doom_exe", "/typed/but/not/saved");
        click(setup, "get_exe");
        QCOMPARE(setup.doom_exe->text(), QStringLiteral("/typed/but/not/saved"));
        click(setup, "get_exe");
        QCOMPARE(setup.doom_exe->text(), QStringLiteral("/opt/zdoom/zdoom"));
        click(setup, "get_iwad");
        QCOMPARE(setup.doom_iwad->text(), QStringLiteral("/srv/doom.wad"));
    });
    const QList<FileRequest> &asked = rig.platform.file_requests;
    QCOMPARE(asked.size(), 3);
    QCOMPARE(asked[0].start, QStringLiteral("/usr/games/zdoom"));
    QCOMPARE(asked[1].start, QStringLiteral("/usr/games/zdoom"));
    QCOMPARE(asked[2].start, QStringLiteral("/usr/share/games/doom/DOOM2.WAD"));
    QCOMPARE(rig.cfg(), stored); // closed by its close box: nothing saved
}

void tst_doom_setup::refuses_unstorable_paths() {
    Rig rig;
    rig.write_cfg(stored);
    open_setup(rig, [&](doom_setup &setup) {
        type_into(setup, "doom_iwad", "/srv/\"quoted\"/DOOM.WAD");
        click(setup, "Okay_Button");
        QVERIFY(rig.forms.loaded(FormId::doom_setup));
        QCOMPARE(setup.doom_iwad->text(), QStringLiteral("/srv/\"quoted\"/DOOM.WAD"));
    });
    QCOMPARE(rig.platform.messages.size(), 1);
    QVERIFY(rig.platform.messages[0].prompt.contains("/srv/\"quoted\"/DOOM.WAD"));
    QVERIFY(rig.platform.messages[0].prompt.contains("double quote"));
    QCOMPARE(rig.cfg(), stored);
    QCOMPARE(rig.main.iwad_caption(), QStringLiteral("IWAD: Unknown"));
}

void tst_doom_setup::failed_save_keeps_dialog_open() {
    Rig rig;
    QVERIFY(QDir(rig.dir.path()).mkdir("brx.cfg")); // no file, and none can be written
    open_setup(rig, [&](doom_setup &setup) {
        type_into(setup, "doom_exe", "/usr/games/zdoom");
        type_into(setup, "doom_iwad", "/srv/DOOM2.WAD");
        setup.vid_res->setCurrentIndex(0);
        click(setup, "Okay_Button");
        QVERIFY(rig.forms.loaded(FormId::doom_setup));
        QCOMPARE(setup.doom_exe->text(), QStringLiteral("/usr/games/zdoom"));
        QCOMPARE(setup.doom_iwad->text(), QStringLiteral("/srv/DOOM2.WAD"));
        QCOMPARE(setup.vid_res->currentText(), QStringLiteral("320x200"));
    });
    QCOMPARE(rig.platform.messages.size(), 1);
    QCOMPARE(rig.platform.messages[0].title, QStringLiteral("Error!"));
    QVERIFY(rig.platform.messages[0].prompt.contains(QDir::toNativeSeparators(rig.cfg_path())));
    QCOMPARE(rig.main.iwad_caption(), QStringLiteral("IWAD: Unknown"));
}

void tst_doom_setup::leaving_without_saving_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "Cancel";
    QTest::newRow("close box") << "close";
    QTest::newRow("Escape") << "Escape";
}

void tst_doom_setup::leaving_without_saving() {
    QFETCH(QString, how);
    Rig rig;
    rig.write_cfg(stored);
    open_setup(rig, [&](doom_setup &setup) {
        type_into(setup, "doom_iwad", "/srv/DOOM.WAD");
        if (how == u"Cancel")
            click(setup, "Cancel_Button");
        else if (how == u"close")
            setup.close();
        else
            QTest::keyClick(setup.doom_iwad, Qt::Key_Escape);
        QVERIFY(!rig.forms.loaded(FormId::doom_setup));
        QVERIFY(!setup.isVisible());
    });
    QCOMPARE(rig.cfg(), stored);
    QCOMPARE(rig.main.iwad_caption(), QStringLiteral("IWAD: Unknown"));
}

void tst_doom_setup::keyboard() {
    Rig rig;
    rig.write_cfg(stored);
    open_setup(rig, [&](doom_setup &setup) {
        QVERIFY(QTest::qWaitForWindowActive(&setup));
        QCOMPARE(QApplication::focusWidget(), setup.Okay_Button);
        QCOMPARE(focus_order(setup, setup.Okay_Button, 10),
                 (QStringList{"Okay_Button", "Cancel_Button", "SSTab1", "doom_iwad", "doom_exe",
                              "get_exe", "get_iwad", "vid_res", "snd_rate", "Okay_Button"}));
        setup.SSTab1->setCurrentIndex(1);
        QCOMPARE(focus_order(setup, setup.nomd2, 3), (QStringList{"nomd2", "card", "Okay_Button"}));
        setup.SSTab1->setCurrentIndex(0);

        // Typing and pasting go into the path boxes; Enter there presses nothing.
        setup.doom_exe->setFocus();
        setup.doom_exe->selectAll();
        QTest::keyClicks(setup.doom_exe, "/opt/engine");
        QTest::keyClick(setup.doom_exe, Qt::Key_Return);
        QGuiApplication::clipboard()->setText("/srv/My Games/DOOM2.WAD");
        setup.doom_iwad->setFocus();
        setup.doom_iwad->selectAll();
        QTest::keyClick(setup.doom_iwad, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(setup.doom_iwad->text(), QStringLiteral("/srv/My Games/DOOM2.WAD"));
        QVERIFY(rig.forms.loaded(FormId::doom_setup));
        // Enter presses the focused button.
        setup.Okay_Button->setFocus();
        QTest::keyClick(setup.Okay_Button, Qt::Key_Return);
        QVERIFY(!rig.forms.loaded(FormId::doom_setup));
    });
    QVERIFY(rig.cfg().startsWith("/opt/engine,/srv/My Games/DOOM2.WAD,"));
}

QTEST_MAIN(tst_doom_setup)
#include "tst_doom_setup.moc"
