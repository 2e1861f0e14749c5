// The game dialogs: the level list by the IWAD indicator, the launch request each gives, the
// WAD and patch boxes, the keyboard and the command line shown before it runs, and the limit
// toggles.
#include "game_dialog.h"
#include "requests.h"
#include "rig.h"

#include <QClipboard>
#include <QMimeData>

using namespace brx;

namespace {

const QByteArray configured = "/g/zdoom,/srv/doom/DOOM2.WAD,640,480,44100, 2 , 0 \r\n";
const FormId solo = FormId::launch_solo, multi = FormId::launch_multi;

} // namespace

class tst_games : public QObject {
    Q_OBJECT
private slots:
    void levels();
    void requests_data();
    void requests();
    void wad_and_patch_boxes();
    void okay_and_its_command_line();
    void limit_toggles();
    void options_follow_engine_data();
    void options_follow_engine();
};

// The level list by the IWAD's kind: the caption, count, first, last.
void tst_games::levels() {
    for (const QString row :
         {"DOOM.WAD|IWAD: Doom|36 E1M1 E4M9", "DOOM2.WAD|IWAD: Doom2|32 Map01 Map32",
          "TNT.WAD|IWAD: Unknown|0  "}) {
        Rig rig;
        rig.main.show_iwad_kind(row.section(u'|', 0, 0));
        rig.open<GameDialog>(solo, [&](GameDialog &dialog) {
            auto *level = child<QComboBox>(dialog, "level");
            QCOMPARE(QStringLiteral("%1|%2 %3 %4")
                         .arg(rig.main.display_iwad->text())
                         .arg(level->count())
                         .arg(level->itemText(0), level->itemText(level->count() - 1)),
                     row.section(u'|', 1));
        });
    }
}

// What "Okay" hands to the launch after the steps (see act()), from a fresh opening ("IWAD:
// Doom2"), twice; the request (see request()) names the dialog.
void tst_games::requests_data() {
    rows<std::tuple<QString, QString>>();
    const auto row = [](const char *name, const QString &steps, const QString &expected) {
        QTest::newRow(name) << std::tuple(steps, expected);
    };
    row("solo at once", "", "solo");
    row("solo, easiest, options, no warp",
        "pick skill=I'm too young to die; pick level=Map07; click nomonsters; click "
        "respawnmonsters; click Fastmonsters; click gogame; type ExternalWad_textbox= a.wad; type "
        "Dehacked_textbox=p.deh",
        "solo; skill= 1; level=Map07; nomonsters=1; respawnmonsters=1; fastmonsters=1; gogame=0; "
        "externalwad= a.wad; dehacked=p.deh");
    row("join: dup value without Dup, address of blanks", "type hostip=  ; pick clientdup_value=5",
        "join; hostip=  ; clientdup_value=5");
    row("host, every option, an address typed on the join page",
        "type hostip=10.0.0.2; tab SSTab1=1; pick skill=Nightmare!; pick mode=DM weapons stay; "
        "pick playernum=8; pick serverdup_value=4; click timelimit; click fraglimit; click "
        "fraglimit; click host_dup; click client_dup; type timetext=45",
        "host; hostip=10.0.0.2; skill=4; mode=2; playernum=8; serverdup_value=4; timelimit=1; "
        "host_dup=1; client_dup=1; timetext=45");
}

void tst_games::requests() {
    const auto [steps, expected] = fetch<std::tuple<QString, QString>>();
    Rig rig;
    rig.main.show_iwad_kind("DOOM2.WAD");
    for (int opening = 0; opening < 2; ++opening) {
        rig.open<GameDialog>(expected.startsWith("solo") ? solo : multi, [&](GameDialog &d) {
            act(d, steps);
            QCOMPARE(fields(d.request()), fields(request(expected)));
        });
    }
}

// The WAD and patch boxes. "External files...": without brx.cfg, the first-run message and
// the setup come first and browsing has no starting point; with it, browsing starts at the
// stored IWAD; the selected filter, not the file's name, decides where the file goes. Files
// dropped from a file manager onto the dialog or a box go by their names. "Clear" empties both.
void tst_games::wad_and_patch_boxes() {
    Rig rig;
    for (const auto &[path, filter] : QList<std::pair<QString, int>>{
             {"/w/a.wad", 1}, {"/w/p.deh", 1}, {"/w/r.bex", 3}, {"/w/q.deh", 2}, {"/w/a.wad", 1}})
        rig.platform.answer_file(FileChoice{path, filter});
    rig.open<GameDialog>(solo, [&](GameDialog &d) {
        const auto boxes = [&d] { return d.request().externalwad + '|' + d.request().dehacked; };
        act(d, "type ExternalWad_textbox=typed.wad; click LoadExternal_button");
        rig.write_cfg(configured);
        act(d, "click LoadExternal_button; click LoadExternal_button; click LoadExternal_button");
        QCOMPARE(boxes(), "typed.wad /w/a.wad /w/p.deh|/w/q.deh");
        click(d, "clear_button");
        QCOMPARE(boxes(), "|");
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile("/w/a.WAD"), QUrl::fromLocalFile("/w/p.Deh"),
                      QUrl::fromLocalFile("/w/q.BEX"), QUrl::fromLocalFile("/w/notes.txt"),
                      QUrl("https://x/b.wad")});
        for (QWidget *target : {static_cast<QWidget *>(&d), child(d, "ExternalWad_textbox")}) {
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QVERIFY(QApplication::sendEvent(target, &enter) && enter.isAccepted());
            QVERIFY(QApplication::sendEvent(target, &drop) && drop.isAccepted());
        }
        QCOMPARE(boxes(), QDir::toNativeSeparators(" /w/a.WAD /w/a.WAD|/w/q.BEX"));
        // A list longer than any text box holds by default is kept whole.
        child<QLineEdit>(d, "ExternalWad_textbox")->setText(QString(40000, u'a'));
        click(d, "LoadExternal_button");
        QCOMPARE(d.request().externalwad.size(), 40000 + 9);
    });
    QCOMPARE(rig.platform.shown, (QStringList{"launch_solo", "doom_setup"}));
    QCOMPARE(rig.platform.messages.size(), 1);
    const FileRequest &asked = rig.platform.file_requests[1];
    QCOMPARE(rig.platform.file_requests[0].start + '|' + asked.title + '|' + asked.start,
             "|Select Wads|/srv/doom/DOOM2.WAD");
    QCOMPARE(asked.filter, "Doom Wads (*.wad)|*.wad|Dehacked Patch (*.deh)|*.deh|Dehacked Patch "
                           "(*.bex)|*.bex");
}

// Enter presses only a focused button: "Okay" in the single-player dialog, nothing in the
// multiplayer one, whose tab control has the focus; Escape closes neither, "Cancel" does.
// "Okay" starts the command line that its tooltip and "Copy command line" show.
void tst_games::okay_and_its_command_line() {
    for (const FormId id : {solo, multi}) {
        Rig rig;
        // Without brx.cfg, or with a damaged one, the tooltip says nothing and opens nothing.
        rig.write_cfg(id == solo ? configured : "damaged");
        rig.open<GameDialog>(id, [&](GameDialog &d) {
            QVERIFY(QTest::qWaitForWindowActive(&d));
            QWidget *focus = QApplication::focusWidget(); // the tab control takes it by its tabs
            QCOMPARE(id == solo ? focus->objectName() : focus->parentWidget()->objectName(),
                     id == solo ? "Okay_Button" : "SSTab1");
            auto *okay = child<QPushButton>(d, "Okay_Button");
            click(d, "nomonsters");
            QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), okay->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(okay, &tip);
            d.actions().value(0)->trigger(); // "Copy command line"
            QCOMPARE(QGuiApplication::clipboard()->text(), okay->toolTip());
            QTest::keyClick(focus, Qt::Key_Escape);
            QVERIFY(rig.forms.loaded(id));
            QTest::keyClick(focus, Qt::Key_Return);
            QCOMPARE(!rig.forms.loaded(id), id == solo);
            click(d, "Cancel_Button");
            QVERIFY(!rig.forms.loaded(id));
        });
        const QString shown = QGuiApplication::clipboard()->text();
        QCOMPARE(rig.platform.starts.value(0).command_line, id == solo ? shown : QString());
        QCOMPARE(shown.contains(" -nomonsters"), id == solo); // nothing to start: no address
        QVERIFY(rig.platform.messages.isEmpty());
    }
}

// Each click on a limit, by mouse or keyboard, flips its text box, which keeps its text;
// Extratic stays as it is.
void tst_games::limit_toggles() {
    Rig rig;
    rig.open<GameDialog>(multi, [](GameDialog &d) {
        auto *box = child<QCheckBox>(d, "fraglimit");
        act(d, "tab SSTab1=1");
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        QVERIFY(child(d, "fragtext")->isEnabled());
        QTest::keyClick(box, Qt::Key_Space);
        QVERIFY(!child(d, "fragtext")->isEnabled());
        QCOMPARE(fields(d.request()).filter("frag"), (QStringList{"fragtext=30", "fraglimit=0"}));
        QVERIFY(!child(d, "host_extratic")->isEnabled());
    });
}

// The multiplayer options the stored engine has none of are greyed, each telling why.
void tst_games::options_follow_engine_data() {
    using Row = std::tuple<QByteArray, QStringList>; // the engine; the disabled, with tooltips
    rows<Row>();
    QTest::newRow("GZDoom") << Row{"/usr/games/gzdoom", {}};
    QTest::newRow("Chocolate Doom") << Row{"/usr/games/chocolate-doom",
                                           {"fraglimit Chocolate Doom has no frag limit option.",
                                            "fragtext Chocolate Doom has no frag limit option."}};
    QTest::newRow("a Boom engine") << Row{"/usr/games/dsda-doom",
                                          {"fraglimit DSDA-Doom has no frag limit option.",
                                           "fragtext DSDA-Doom has no frag limit option.",
                                           "SSTab1_0 DSDA-Doom plays no network games.",
                                           "SSTab1_1 DSDA-Doom plays no network games."}};
}

void tst_games::options_follow_engine() {
    const auto [engine, disabled] = fetch<std::tuple<QByteArray, QStringList>>();
    Rig rig;
    rig.write_cfg(engine + ",/g/DOOM2.WAD,640,480,44100, 2 , 0 \r\n");
    QStringList seen;
    rig.open<GameDialog>(multi, [&](GameDialog &d) {
        for (const char *name : {"fraglimit", "fragtext", "SSTab1_0", "SSTab1_1"}) {
            QWidget *control = child(d, name);
            if (!control->isEnabled() && !control->toolTip().isEmpty())
                seen << QString(name) + ' ' + control->toolTip();
        }
    });
    QCOMPARE(seen, disabled);
}

QTEST_MAIN(tst_games)
#include "tst_games.moc"
