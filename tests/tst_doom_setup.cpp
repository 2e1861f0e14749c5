// The engine setup dialog: how it fills itself from brx.cfg, the "..." file dialogs, "Okay"
// with its checks and its save, and leaving it without saving.
#include "doom_setup.h"
#include "rig.h"

#include <QClipboard>

using namespace brx;

namespace {

const QByteArray stored =
    "/usr/games/zdoom,/usr/share/games/doom/DOOM2.WAD,800,600,22050, 1 , 0 \r\n";

QString selected(QComboBox *list) {
    return list->currentIndex() < 0 ? QString() : list->currentText();
}

} // namespace

class tst_doom_setup : public QObject {
    Q_OBJECT
private slots:
    void fills_from_file_data();
    void fills_from_file();
    void okay_saves_the_record();
    void okay_stores_empty_text_for_unlisted_values();
    void okay_asks_for_missing_paths();
    void browse_starts_from_stored_paths();
    void failed_save_keeps_dialog_open_data();
    void failed_save_keeps_dialog_open();
    void leaving_without_saving_data();
    void leaving_without_saving();
    void keyboard();
};

void tst_doom_setup::fills_from_file_data() {
    QTest::addColumn<QByteArray>("record"); // "-": no file
    QTest::addColumn<QString>("resolution");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<int>("card");
    QTest::addColumn<bool>("nomd2");
    QTest::addColumn<bool>("cancel");

    QTest::newRow("first run") << QByteArray("-") << "640x480"
                               << "44100" << 2 << true << false;
    QTest::newRow("listed values")
        << QByteArray("/zdoom,/DOOM.WAD,1024,768,11025, 0 , 1 \r\n") << "1024x768"
        << "11025" << 0 << true << true;
    QTest::newRow("empty video and sound")
        << QByteArray("/zdoom,/DOOM.WAD,,,, 1 , 0 \r\n") << "640x480"
        << "44100" << 1 << false << true;
    QTest::newRow("unlisted values")
        << QByteArray("/zdoom,/DOOM.WAD,1280,1024,48000, 5 , 0 \r\n") << ""
        << "" << -1 << false << true;
    QTest::newRow("half a resolution, negative card")
        << QByteArray("/zdoom,/DOOM.WAD,640,,22050,-1 , 2 \r\n") << ""
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
    if (record != "-")
        rig.write_cfg(record);
    rig.open<doom_setup>(FormId::doom_setup, [&](doom_setup &setup) {
        QCOMPARE(selected(setup.vid_res), resolution);
        QCOMPARE(selected(setup.snd_rate), rate);
        QCOMPARE(setup.card->checkedId(), card);
        QCOMPARE(setup.nomd2->isChecked(), nomd2);
        QCOMPARE(setup.Cancel_Button->isEnabled(), cancel);
        QCOMPARE(setup.SSTab1->currentIndex(), 0);
    });
    QVERIFY(rig.platform.messages.isEmpty()); // the dialog loads silently
}

void tst_doom_setup::okay_saves_the_record() {
    Rig rig;
    rig.write_cfg(stored);
    rig.main.show_iwad_kind("/DOOM.WAD");
    rig.open<doom_setup>(FormId::doom_setup, [&](doom_setup &setup) {
        act(setup, "type doom_iwad=/srv/My Games/doom2.wad; pick vid_res=1024x768; pick "
                   "snd_rate=11025; click card_0; click nomd2; click Okay_Button");
        QVERIFY(!rig.forms.loaded(FormId::doom_setup));
    });
    QCOMPARE(rig.cfg(),
             QByteArray("/usr/games/zdoom,/srv/My Games/doom2.wad,1024,768,11025, 0 , 1 \r\n"));
    QCOMPARE(rig.main.iwad_caption(), QStringLiteral("IWAD: Doom2"));
    QVERIFY(rig.platform.messages.isEmpty());
}

void tst_doom_setup::okay_stores_empty_text_for_unlisted_values() {
    Rig rig;
    rig.write_cfg("/zdoom,/srv/heretic.wad,1280,1024,48000, 7 , 0 \r\n");
    rig.main.show_iwad_kind("/DOOM.WAD");
    rig.open<doom_setup>(FormId::doom_setup,
                         [](doom_setup &setup) { click(setup, "Okay_Button"); });
    // No card selected stores 0; an IWAD of no known kind leaves the main window alone.
    QCOMPARE(rig.cfg(), QByteArray("/zdoom,/srv/heretic.wad,,,, 0 , 0 \r\n"));
    QCOMPARE(rig.main.iwad_caption(), QStringLiteral("IWAD: Doom"));
}

// Each empty path brings its message and its file dialog until a file is chosen.
void tst_doom_setup::okay_asks_for_missing_paths() {
    Rig rig;
    rig.platform.answer_file(FileChoice{"/usr/games/zdoom", 3});
    rig.platform.answer_file(std::nullopt); // cancel: the message comes back
    rig.platform.answer_file(FileChoice{"/usr/share/games/doom/DOOM.WAD", 1});
    rig.open<doom_setup>(FormId::doom_setup,
                         [](doom_setup &setup) { click(setup, "Okay_Button"); });

    QStringList asked;
    for (const TestPlatform::Message &message : rig.platform.messages)
        asked << message.prompt + u'|' + message.title;
    for (const FileRequest &request : rig.platform.file_requests)
        asked << request.title + u'|' + request.filter;
    QCOMPARE(asked, (QStringList{
                        "Please locate your ZDoom.exe...|",
                        "Please locate your doom/doom2 IWAD...|",
                        "Please locate your doom/doom2 IWAD...|",
                        "Select ZDoom excutable...|ZDoom executable (zdoom.exe)|zdoom.exe|ZdoomGL "
                        "(zdoomgl.exe)|zdoomgl.exe|All executables (*.exe)|*.exe",
                        "Select ZDoom IWAD...|Doom wad (doom.wad)|doom.wad|Doom2 wad "
                        "(doom2.wad)|doom2.wad",
                        "Select ZDoom IWAD...|Doom wad (doom.wad)|doom.wad|Doom2 wad "
                        "(doom2.wad)|doom2.wad",
                    }));
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
    rig.open<doom_setup>(FormId::doom_setup, [&](doom_setup &setup) {
        act(setup, "type doom_exe=/typed/but/not/saved; click get_exe");
        QCOMPARE(setup.doom_exe->text(), QStringLiteral("/typed/but/not/saved"));
        act(setup, "click get_exe; click get_iwad");
        QCOMPARE(setup.doom_exe->text() + setup.doom_iwad->text(), "/opt/zdoom/zdoom/srv/doom.wad");
    });
    QStringList starts;
    for (const FileRequest &request : rig.platform.file_requests)
        starts << request.start;
    QCOMPARE(starts, (QStringList{"/usr/games/zdoom", "/usr/games/zdoom",
                                  "/usr/share/games/doom/DOOM2.WAD"}));
    QCOMPARE(rig.cfg(), stored); // closed by its close box: nothing saved
}

// A save that fails names the file and the reason, keeps everything typed, and leaves the
// main window alone.
void tst_doom_setup::failed_save_keeps_dialog_open_data() {
    QTest::addColumn<QString>("iwad");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a folder named brx.cfg") << "/srv/DOOM2.WAD"
                                            << "";
    QTest::newRow("a double quote") << "/srv/\"quoted\"/DOOM2.WAD"
                                    << "double quote";
}

void tst_doom_setup::failed_save_keeps_dialog_open() {
    QFETCH(QString, iwad);
    QFETCH(QString, reason);
    Rig rig;
    if (reason.isEmpty())
        QVERIFY(QDir(rig.dir.path()).mkdir("brx.cfg"));
    rig.open<doom_setup>(FormId::doom_setup, [&](doom_setup &setup) {
        act(setup, "type doom_exe=/usr/games/zdoom; type doom_iwad=" + iwad +
                       "; pick vid_res=320x200; click Okay_Button");
        QVERIFY(rig.forms.loaded(FormId::doom_setup));
        QCOMPARE(setup.doom_iwad->text(), iwad);
        QCOMPARE(setup.vid_res->currentText(), QStringLiteral("320x200"));
    });
    QCOMPARE(rig.platform.messages.size(), 1);
    QCOMPARE(rig.platform.messages[0].title, QStringLiteral("Error!"));
    QVERIFY(rig.platform.messages[0].prompt.contains(QDir::toNativeSeparators(rig.cfg_path())));
    QVERIFY(rig.platform.messages[0].prompt.contains(reason));
    QVERIFY(!rig.cfg_exists());
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
    rig.open<doom_setup>(FormId::doom_setup, [&](doom_setup &setup) {
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

// "Okay" has the focus on opening; typing and pasting go into the path boxes, and Enter there
// presses nothing; Enter on a button presses it.
void tst_doom_setup::keyboard() {
    Rig rig;
    rig.write_cfg(stored);
    rig.open<doom_setup>(FormId::doom_setup, [&](doom_setup &setup) {
        QVERIFY(QTest::qWaitForWindowActive(&setup));
        QCOMPARE(QApplication::focusWidget(), setup.Okay_Button);
        setup.doom_exe->setFocus();
        setup.doom_exe->selectAll();
        QTest::keyClicks(setup.doom_exe, "/opt/engine");
        QTest::keyClick(setup.doom_exe, Qt::Key_Return);
        QGuiApplication::clipboard()->setText("/srv/My Games/DOOM2.WAD");
        setup.doom_iwad->setFocus();
        setup.doom_iwad->selectAll();
        QTest::keyClick(setup.doom_iwad, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(rig.forms.loaded(FormId::doom_setup));
        setup.Okay_Button->setFocus();
        QTest::keyClick(setup.Okay_Button, Qt::Key_Return);
        QVERIFY(!rig.forms.loaded(FormId::doom_setup));
    });
    QVERIFY(rig.cfg().startsWith("/opt/engine,/srv/My Games/DOOM2.WAD,"));
}

QTEST_MAIN(tst_doom_setup)
#include "tst_doom_setup.moc"
