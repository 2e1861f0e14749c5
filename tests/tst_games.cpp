// The game dialogs: the level list by the IWAD indicator, the launch request each gives,
// the "External files..." chooser, dropped files, the keyboard, the limit toggles, and the
// command line shown before it runs.
#include "game_dialog.h"
#include "helpers.h"
#include "requests.h"
#include "rig.h"

#include <QClipboard>
#include <QMimeData>
#include <QTabWidget>

using namespace brx;

namespace {

const QByteArray configured = "/g/zdoom,/srv/doom/DOOM2.WAD,640,480,44100, 2 , 0 \r\n";

} // namespace

Q_DECLARE_METATYPE(FormId)

class tst_games : public QObject {
    Q_OBJECT
private slots:
    void levels_data();
    void levels();
    void requests_data();
    void requests();
    void chooser();
    void chooser_on_first_run();
    void dropped_files();
    void keyboard_and_closing();
    void limit_toggles();
    void command_line_shown_is_the_one_started();
};

void tst_games::levels_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("levels"); // count, first, last
    QTest::newRow("Doom") << "IWAD: Doom" << QStringList{"36", "E1M1", "E4M9"};
    QTest::newRow("Doom2") << "IWAD: Doom2" << QStringList{"32", "Map01", "Map32"};
    QTest::newRow("Unknown") << "IWAD: Unknown" << QStringList{"0", "", ""};
    QTest::newRow("other case") << "IWAD: doom2" << QStringList{"0", "", ""};
    QTest::newRow("trailing blank") << "IWAD: Doom " << QStringList{"0", "", ""};
}

void tst_games::levels() {
    QFETCH(QString, caption);
    QFETCH(QStringList, levels);
    for (const FormId id : {FormId::launch_solo, FormId::launch_multi}) {
        Rig rig;
        rig.main.display_iwad->setText(caption);
        rig.open<GameDialog>(id, [&](GameDialog &dialog) {
            auto *level = child<QComboBox>(dialog, "level");
            QCOMPARE((QStringList{QString::number(level->count()), level->itemText(0),
                                  level->itemText(level->count() - 1)}),
                     levels);
            QCOMPARE(dialog.request().level, levels[1]);
            QCOMPARE(child<QComboBox>(dialog, "skill")->currentText(), "Ultra-Violence");
        });
    }
}

void tst_games::requests_data() {
    QTest::addColumn<FormId>("dialog");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<LaunchRequest>("expected");
    const FormId solo = FormId::launch_solo, multi = FormId::launch_multi;
    QTest::newRow("solo at once") << solo << "" << requests::solo;
    QTest::newRow("solo, easiest, options, no warp")
        << solo
        << "pick skill=I'm too young to die; pick level=Map07; click nomonsters; click "
           "Fastmonsters; click gogame; type ExternalWad_textbox= a.wad; type "
           "Dehacked_textbox=p.deh"
        << changed(requests::solo, "skill= 1; level=Map07; nomonsters=1; fastmonsters=1; "
                                   "gogame=0; externalwad= a.wad; dehacked=p.deh");
    QTest::newRow("solo, Nightmare!") << solo << "pick skill=Nightmare!; click respawnmonsters"
                                      << changed(requests::solo, "skill= 5; respawnmonsters=1");
    QTest::newRow("join") << multi << "type hostip=10.0.0.2" << requests::join;
    QTest::newRow("join: dup value without Dup, address of blanks")
        << multi << "type hostip=  ; pick clientdup_value=5"
        << changed(requests::join, "hostip=  ; clientdup_value=5");
    QTest::newRow("host, address typed on the join page")
        << multi << "type hostip=10.0.0.2; tab SSTab1=1"
        << changed(requests::host, "hostip=10.0.0.2");
    QTest::newRow("host, every option")
        << multi
        << "tab SSTab1=1; pick skill=Nightmare!; pick mode=DM weapons stay; pick playernum=8; "
           "pick serverdup_value=4; click timelimit; click fraglimit; click fraglimit; click "
           "host_dup; click client_dup; type timetext="
        << changed(requests::host, "skill=4; mode=2; playernum=8; serverdup_value=4; "
                                   "timelimit=1; host_dup=1; client_dup=1; timetext=");
}

// What "Okay" hands to the launch, from a fresh opening ("IWAD: Doom2").
void tst_games::requests() {
    QFETCH(FormId, dialog);
    QFETCH(QString, steps);
    QFETCH(LaunchRequest, expected);
    Rig rig;
    rig.main.display_iwad->setText("IWAD: Doom2");
    for (int opening = 0; opening < 2; ++opening) { // the second starts afresh
        rig.open<GameDialog>(dialog, [&](GameDialog &d) {
            act(d, steps);
            QCOMPARE(fields(d.request()), fields(expected));
        });
    }
}

// Where a chosen file goes is the selected filter's choice, not the file's; browsing starts
// at the stored IWAD; Cancel changes nothing.
void tst_games::chooser() {
    Rig rig;
    rig.write_cfg(configured);
    for (const FileChoice &answer : {FileChoice{"/w/a.wad", 1}, FileChoice{"/w/p.deh", 1},
                                     FileChoice{"/w/q.deh", 2}, FileChoice{"/w/r.bex", 3}})
        rig.platform.answer_file(answer);
    rig.platform.answer_file(std::nullopt);
    rig.platform.answer_file(FileChoice{"/w/a.wad", 1});
    rig.open<GameDialog>(FormId::launch_solo, [](GameDialog &d) {
        for (int i = 0; i < 5; ++i)
            click(d, "LoadExternal_button");
        QCOMPARE(d.request().externalwad, " /w/a.wad /w/p.deh");
        QCOMPARE(d.request().dehacked, "/w/r.bex");
        click(d, "clear_button");
        QCOMPARE(d.request().externalwad + d.request().dehacked, QString());
        // A list longer than any text box holds by default is kept whole.
        child<QLineEdit>(d, "ExternalWad_textbox")->setText(QString(40000, u'a'));
        click(d, "LoadExternal_button");
        QCOMPARE(d.request().externalwad.size(), 40000 + 9);
    });
    QCOMPARE(rig.platform.file_requests.size(), 6);
    const FileRequest &asked = rig.platform.file_requests[0];
    QCOMPARE(asked.title, "Select Wads");
    QCOMPARE(asked.filter, "Doom Wads (*.wad)|*.wad|Dehacked Patch (*.deh)|*.deh|Dehacked Patch "
                           "(*.bex)|*.bex");
    QCOMPARE(asked.start, "/srv/doom/DOOM2.WAD");
    QVERIFY(rig.platform.messages.isEmpty());
}

// Without brx.cfg the first-run message and the setup come before the file dialog, which
// then has no starting point.
void tst_games::chooser_on_first_run() {
    Rig rig;
    rig.platform.answer_file(FileChoice{"/w/a.wad", 1});
    rig.open<GameDialog>(FormId::launch_multi, [](GameDialog &d) {
        type_into(d, "ExternalWad_textbox", "typed.wad");
        click(d, "LoadExternal_button");
        QCOMPARE(d.request().externalwad, "typed.wad /w/a.wad");
    });
    QCOMPARE(rig.platform.shown, (QStringList{"launch_multi", "doom_setup"}));
    QCOMPARE(rig.platform.messages.size(), 1);
    QCOMPARE(rig.platform.file_requests[0].start, QString());
}

// Files dropped from a file manager, onto the dialog or onto a text box.
void tst_games::dropped_files() {
    Rig rig;
    rig.open<GameDialog>(FormId::launch_solo, [](GameDialog &d) {
        for (const char *target : {"launch_solo", "ExternalWad_textbox"}) {
            QWidget *widget = target == QByteArray("launch_solo") ? &d : child(d, target);
            QMimeData mime;
            mime.setUrls({QUrl::fromLocalFile("/w/a.WAD"), QUrl::fromLocalFile("/w/p.Deh"),
                          QUrl::fromLocalFile("/w/q.BEX"), QUrl::fromLocalFile("/w/notes.txt"),
                          QUrl("https://x/b.wad")});
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(widget, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(widget, &drop);
            QVERIFY(drop.isAccepted());
        }
        QCOMPARE(d.request().externalwad, " /w/a.WAD /w/a.WAD");
        QCOMPARE(d.request().dehacked, "/w/q.BEX");
    });
}

// Enter presses only a focused button: "Okay" in the single-player dialog, nothing in the
// multiplayer one, whose tab control has the focus. Escape closes neither; the close box
// unloads both.
void tst_games::keyboard_and_closing() {
    for (const FormId id : {FormId::launch_solo, FormId::launch_multi}) {
        Rig rig;
        rig.write_cfg(configured);
        const bool solo = id == FormId::launch_solo;
        rig.open<GameDialog>(id, [&](GameDialog &d) {
            QVERIFY(QTest::qWaitForWindowActive(&d));
            QWidget *focus = QApplication::focusWidget(); // the tab control takes it by its tabs
            QCOMPARE(solo ? focus->objectName() : focus->parentWidget()->objectName(),
                     solo ? "Okay_Button" : "SSTab1");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QVERIFY(rig.forms.loaded(id));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(!rig.forms.loaded(id), solo);
            d.close();
            QVERIFY(!rig.forms.loaded(id));
        });
        QCOMPARE(rig.platform.starts.size(), solo ? 1 : 0);
    }
}

// Each click on a limit, by mouse or keyboard, flips its text box, which keeps its text.
void tst_games::limit_toggles() {
    Rig rig;
    rig.open<GameDialog>(FormId::launch_multi, [](GameDialog &d) {
        child<QTabWidget>(d, "SSTab1")->setCurrentIndex(1);
        auto *text = child<QLineEdit>(d, "fragtext");
        auto *box = child<QCheckBox>(d, "fraglimit");
        QVERIFY(!text->isEnabled());
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        QVERIFY(text->isEnabled() && box->isChecked());
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
        QVERIFY(!text->isEnabled() && !box->isChecked());
        QCOMPARE(text->text(), "30");
        QVERIFY(!child<QCheckBox>(d, "host_extratic")->isEnabled());
    });
}

void tst_games::command_line_shown_is_the_one_started() {
    Rig rig;
    rig.write_cfg(configured);
    rig.main.display_iwad->setText("IWAD: Doom2");
    rig.open<GameDialog>(FormId::launch_multi, [](GameDialog &d) {
        child<QTabWidget>(d, "SSTab1")->setCurrentIndex(1);
        click(d, "nomonsters");
        auto *okay = child<QPushButton>(d, "Okay_Button");
        QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), okay->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(okay, &tip);
        d.actions().value(0)->trigger(); // "Copy command line"
        QCOMPARE(QGuiApplication::clipboard()->text(), okay->toolTip());
        click(d, "Okay_Button");
    });
    QCOMPARE(rig.platform.starts.size(), 1);
    QCOMPARE(rig.platform.starts[0].command_line, QGuiApplication::clipboard()->text());
    QVERIFY(rig.platform.starts[0].command_line.contains(" -nomonsters"));
}

QTEST_MAIN(tst_games)
#include "tst_games.moc"
