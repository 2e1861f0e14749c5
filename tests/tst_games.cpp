// The game dialogs: the level list by the IWAD indicator, the launch request each gives, the
// WAD and patch boxes with their chooser and file list editor, the keyboard and the command
// line shown before it runs, and the limit toggles; the last game each opens with, and the
// preset row.
#include "game_dialog.h"
#include "game_presets.h"
#include "requests.h"
#include "rig.h"
#include "wads.h"

#include <QClipboard>
#include <QListWidget>
#include <QMimeData>
#include <QStandardItemModel>

using namespace brx;

namespace {

const QByteArray configured = "/g/zdoom,/srv/doom/DOOM2.WAD,640,480,44100, 2 , 0 \r\n";
const FormId solo = FormId::launch_solo, multi = FormId::launch_multi;

} // namespace

class tst_games : public InOwnFolder {
    Q_OBJECT
private slots:
    void levels();
    void levels_follow_the_files_data();
    void levels_follow_the_files();
    void wad_and_patch_boxes();
    void files_editor_data();
    void files_editor();
    void okay_and_its_command_line();
    void last_game_data();
    void last_game();
    void preset_row();
    void damaged_presets_file();
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

// The level list follows the files: a WAD typed into the box lists its maps first, titled as
// its UMAPINFO says, then a separator and the IWAD's fixed list; the selected map stays
// selected. "Okay" goes to the map picked by its title, by its name as the engine's family
// reaches it; a map it cannot reach is greyed, its tooltip saying why. A dialog opened with
// the last game's files lists their maps, the last game's own map selected, and goes to it
// even when "Okay" comes before the list.
void tst_games::levels_follow_the_files_data() {
    rows<std::tuple<QString, QString, QString>>(); // engine, the entry picked, the outcome
    const auto row = [](const QString &engine, const QString &pick, const QString &outcome) {
        QTest::addRow("%s %s", qPrintable(engine), qPrintable(pick))
            << std::tuple(engine, pick, outcome);
    };
    row("/g/zdoom", "MAP05: Tiny Hall", " -warp 05 ");
    row("/g/zdoom", "MYMAP", " +map MYMAP ");
    row("/g/chocolate-doom", "MYMAP",
        "chocolate-doom cannot start MYMAP: -warp goes only to E1M1 to E4M9 and MAP01 to MAP99.");
    row("/g/zdoom", "MYMAP, the last game's", " +map MYMAP ");
    row("/g/zdoom", "MYMAP, the last game's, Okay at once", " +map MYMAP ");
}

void tst_games::levels_follow_the_files() {
    const auto [engine, pick, outcome] = fetch<std::tuple<QString, QString, QString>>();
    Rig rig;
    QList<LumpBytes> lumps = binary_map("MAP05") + binary_map("MYMAP");
    lumps.append(LumpBytes{"UMAPINFO", "MAP MAP05 { levelname = \"Tiny Hall\" }"});
    const QString wad = rig.dir.filePath("my mod.wad");
    write_file(wad, make_wad("PWAD", lumps));
    rig.write_cfg(engine.toUtf8() + ",/g/DOOM2.WAD,640,480,44100,2,0");
    rig.main.show_iwad_kind("DOOM2.WAD");
    const bool last = pick.contains("the last game's");
    if (last) {
        Presets presets;
        GameChoices game;
        game.externalwad = ' ' + wad;
        game.level = "MYMAP";
        presets.set_last(GameKind::solo, game);
        write_file(rig.dir.filePath("brx-presets.json"), write_presets(presets));
    }
    rig.open<GameDialog>(solo, [&](GameDialog &d) {
        auto *level = child<QComboBox>(d, "level");
        if (pick.endsWith("at once")) // before the files' maps are listed
            return click(d, "Okay_Button");
        if (!last)
            act(d, "pick level=Map07; type ExternalWad_textbox= " + wad);
        QTRY_COMPARE(level->count(), 2 + 1 + 32);
        QCOMPARE(QStringList({level->itemText(0), level->itemText(1), level->itemText(2),
                              level->itemText(3), level->currentText()}),
                 QStringList({"MAP05: Tiny Hall", "MYMAP", "", "Map01", last ? "MYMAP" : "Map07"}));
        const int at = level->findText(pick.section(',', 0, 0));
        const auto *item = qobject_cast<QStandardItemModel *>(level->model())->item(at);
        const bool greyed = outcome.endsWith(u'.');
        QCOMPARE(item->isEnabled() ? QString() : item->toolTip(), greyed ? outcome : QString());
        if (greyed) {
            QVERIFY(!d.panel().select_map(pick));
            return;
        }
        level->setCurrentIndex(at);
        click(d, "Okay_Button");
    });
    if (!outcome.endsWith(u'.') && !QTest::currentTestFailed())
        QVERIFY2(rig.platform.starts.value(0).command_line.contains(outcome),
                 qPrintable(rig.platform.starts.value(0).command_line));
}

// The WAD and patch boxes. "External files...": without brx.cfg, the first-run message and
// the setup come first and browsing has no starting point; with it, browsing starts at the
// stored IWAD; several files at a time, in the order chosen; the selected filter, not the
// files' names, decides where they go, except under "Mods", where each goes by its name.
// Files dropped from a file manager onto the dialog or a box go by their names. "Clear"
// empties both.
void tst_games::wad_and_patch_boxes() {
    Rig rig;
    for (const auto &[paths, filter] : QList<std::pair<QStringList, int>>{
             {{"/w/a.wad"}, 1},
             {{"/w/p.deh", "/w/b.pk3"}, 1},
             {{"/w/r.bex", "/w/q.deh"}, 3},
             {{"/w/m.PK3", "/w/x.deh", "/w/z.zip", "/w/n.txt", "/w/y.Bex", "/w/s.pk7"}, 4}})
        rig.platform.answer_files(FilesChoice{paths, filter});
    rig.platform.answer_file(std::nullopt); // Cancel
    rig.platform.answer_file(FileChoice{"/w/a.wad", 1});
    rig.open<GameDialog>(solo, [&](GameDialog &d) {
        const auto boxes = [&d] { return d.request().externalwad + '|' + d.request().dehacked; };
        act(d, "type ExternalWad_textbox=typed.wad; click LoadExternal_button");
        rig.write_cfg(configured);
        act(d, "click LoadExternal_button; click LoadExternal_button");
        QCOMPARE(boxes(), "typed.wad /w/a.wad /w/p.deh /w/b.pk3|/w/q.deh");
        click(d, "LoadExternal_button");
        const QString chosen = "typed.wad /w/a.wad /w/p.deh /w/b.pk3 /w/m.PK3 /w/z.zip "
                               "/w/s.pk7|/w/y.Bex";
        QCOMPARE(boxes(), chosen);
        click(d, "LoadExternal_button");
        QCOMPARE(boxes(), chosen);
        click(d, "clear_button");
        QCOMPARE(boxes(), "|");
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile("/w/a.WAD"), QUrl::fromLocalFile("/w/p.Deh"),
                      QUrl::fromLocalFile("/w/c.pk3"), QUrl::fromLocalFile("/w/q.BEX"),
                      QUrl::fromLocalFile("/w/notes.txt"), QUrl("https://x/b.wad"),
                      QUrl::fromLocalFile("/w/d.Zip"), QUrl::fromLocalFile("/w/e.pk7")});
        for (QWidget *target : {static_cast<QWidget *>(&d), child(d, "ExternalWad_textbox")}) {
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QVERIFY(QApplication::sendEvent(target, &enter) && enter.isAccepted());
            QVERIFY(QApplication::sendEvent(target, &drop) && drop.isAccepted());
        }
        QCOMPARE(boxes(), QDir::toNativeSeparators(" /w/a.WAD /w/c.pk3 /w/d.Zip /w/e.pk7 /w/a.WAD "
                                                   "/w/c.pk3 /w/d.Zip /w/e.pk7|/w/q.BEX"));
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
                           "(*.bex)|*.bex|Mods (*.wad *.pk3 *.pk7 *.zip *.deh *.bex)|"
                           "*.wad;*.pk3;*.pk7;*.zip;*.deh;*.bex");
}

// The file list editor that "Files..." opens, driven by the steps (see act()) over a dialog
// whose WAD box holds "  w/a.wad\tw/b c.pk3  w/gone.wad" and patch box "p.deh": the rows it
// shows (a missing file marked "!"), and the boxes it leaves. Its chooser choosing (filter
// "Mods") "x.pk7 y.deh z.WAD".
void tst_games::files_editor_data() {
    rows<std::tuple<QString, QString, QString>>();
    const auto row = [](const char *name, const char *steps, const char *shown, const char *boxes) {
        QTest::newRow(name) << std::tuple(QString(steps), QString(shown), QString(boxes));
    };
    const char *const as_read = "w/a.wad|w/b c.pk3|!w/gone.wad";
    const char *const unchanged = "  w/a.wad\tw/b c.pk3  w/gone.wad|p.deh";
    row("Okay unchanged: the text as it was", "click Okay_Button", as_read, unchanged);
    row("Cancel", "key file_list=Alt+Down; key file_list=Delete; click Cancel_Button",
        "w/b c.pk3|!w/gone.wad", unchanged);
    row("Escape", "key file_list=Alt+Down; key Escape", "w/b c.pk3|w/a.wad|!w/gone.wad", unchanged);
    row("keys: move, remove, Enter on Okay",
        "key file_list=Alt+Down; key file_list=Delete; key file_list=Alt+Up; key "
        "Okay_Button=Return",
        "!w/gone.wad|w/b c.pk3", " w/gone.wad w/b c.pk3|p.deh");
    row("buttons, none past the ends",
        "click Up_button; click Down_button; click Down_button; click Down_button; click "
        "Remove_button; click Remove_button; click Up_button; click Okay_Button",
        "w/b c.pk3", " w/b c.pk3|p.deh");
    row("all removed",
        "click Remove_button; click Remove_button; click Remove_button; click "
        "Remove_button; click Okay_Button",
        "", "|p.deh");
    row("added through the chooser", "click Add_button; click Add_button; key Okay_Button=Space",
        "w/a.wad|w/b c.pk3|!w/gone.wad|!x.pk7|!z.WAD",
        " w/a.wad w/b c.pk3 w/gone.wad x.pk7 z.WAD|y.deh");
}

void tst_games::files_editor() {
    const auto [steps, shown, boxes] = fetch<std::tuple<QString, QString, QString>>();
    write_file("w/a.wad");
    write_file("w/b c.pk3");
    for (const FormId id : {solo, multi}) {
        Rig rig;
        rig.write_cfg(configured);
        if (steps.contains("Add_button")) {
            rig.platform.answer_files(FilesChoice{{"x.pk7", "y.deh", "z.WAD"}, 4});
            rig.platform.answer_files(std::nullopt);
        }
        rig.platform.script("files_editor", [&](QDialog &editor) {
            QVERIFY(QTest::qWaitForWindowActive(&editor));
            act(editor, steps.section("; ", 0, -2));
            auto *list = child<QListWidget>(editor, "file_list");
            QStringList rows;
            for (int row = 0; row < list->count(); ++row) {
                const QListWidgetItem *item = list->item(row);
                const bool marked = item->data(Qt::AccessibleTextRole)
                                        .toString()
                                        .endsWith(item->text() + ", not found");
                QCOMPARE(item->toolTip(), (marked ? "Not found: " : "") + item->text());
                rows << (marked ? "!" : "") + item->text();
            }
            QCOMPARE(rows.join(u'|'), shown);
            act(editor, steps.section("; ", -1));
            QVERIFY(!rig.forms.loaded(FormId::files_editor));
        });
        rig.open<GameDialog>(id, [&](GameDialog &d) {
            child<QLineEdit>(d, "ExternalWad_textbox")->setText("  w/a.wad\tw/b c.pk3  w/gone.wad");
            child<QLineEdit>(d, "Dehacked_textbox")->setText("p.deh");
            click(d, "Files_button");
            QCOMPARE(d.request().externalwad + '|' + d.request().dehacked, boxes);
        });
        QCOMPARE(rig.platform.shown, (QStringList{form_name(id), "files_editor"}));
    }
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

// The dialog after the steps and an ending ("okay", "cancel", "refused": the engine is not
// found), reopened by a launcher started afresh on the same files, as its request and the
// limit boxes' states; "defaults" clicks "Defaults" in the reopened one, "doom" reopens it
// with a Doom IWAD.
void tst_games::last_game_data() {
    rows<std::tuple<QString, QString, QString>>();
    const auto row = [](const char *name, const QString &steps, const QString &ending,
                        const QString &expected) {
        QTest::newRow(name) << std::tuple(steps, ending, expected);
    };
    const QString solo_steps =
        "pick skill=I'm too young to die; pick level=Map07; click nomonsters; click "
        "respawnmonsters; click Fastmonsters; click gogame; type ExternalWad_textbox= a.wad b.wad; "
        "type Dehacked_textbox=p.deh; type other_options=-fast +set x 1";
    const QString solo_kept = "solo; skill= 1; level=Map07; nomonsters=1; respawnmonsters=1; "
                              "fastmonsters=1; gogame=0; externalwad= a.wad b.wad; dehacked=p.deh; "
                              "other_options=-fast +set x 1|--";
    row("solo: Okay keeps it", solo_steps, "okay", solo_kept);
    row("solo: Cancel forgets it", solo_steps, "cancel", "solo|--");
    row("solo: a start that failed forgets it", solo_steps, "refused", "solo|--");
    row("solo: Defaults", solo_steps, "okay defaults", "solo|--");
    row("solo: a level the IWAD lacks", solo_steps, "okay doom",
        QString(solo_kept).replace("Map07", "E1M1"));
    // Each click on a limit flips its text box, which keeps its text; the join page's
    // entries are kept on the host page.
    row("host: page, limits and their states, an address typed on the join page",
        "type hostip=10.0.0.2; click client_dup; tab SSTab1=1; pick skill=Nightmare!; pick "
        "mode=DM weapons stay; pick playernum=8; pick serverdup_value=4; click timelimit; type "
        "timetext=45; click fraglimit; click fraglimit; click host_dup",
        "okay",
        "host; hostip=10.0.0.2; client_dup=1; skill=4; mode=2; playernum=8; serverdup_value=4; "
        "timelimit=1; host_dup=1; timetext=45|+-");
    row("join: address and dup", "type hostip=10.0.0.9; click client_dup; pick clientdup_value=5",
        "okay", "join; hostip=10.0.0.9; client_dup=1; clientdup_value=5|--");
    row("join: dup value without Dup, address of blanks", "type hostip=  ; pick clientdup_value=5",
        "okay", "join; hostip=  ; clientdup_value=5|--");
    row("host: Defaults", "tab SSTab1=1; click fraglimit; type fragtext=9", "okay defaults",
        "join; hostip=|--");
}

void tst_games::last_game() {
    const auto [steps, ending, expected] = fetch<std::tuple<QString, QString, QString>>();
    const FormId id = expected.startsWith("solo") ? solo : multi;
    const auto state = [](GameDialog &d) {
        const auto on = [&d](const char *box) {
            const QWidget *found = d.findChild<QWidget *>(box);
            return found && found->isEnabled() ? '+' : '-';
        };
        return QStringList(fields(d.request())).join("; ") + '|' + on("timetext") + on("fragtext");
    };
    QByteArray file;
    {
        Rig rig;
        rig.write_cfg(configured);
        rig.main.show_iwad_kind("DOOM2.WAD");
        rig.platform.start_result = ending == "refused" ? error_file_not_found : 0;
        rig.open<GameDialog>(id, [&](GameDialog &d) {
            act(d, steps);
            click(d, ending == "cancel" ? "Cancel_Button" : "Okay_Button");
        });
        QCOMPARE(rig.platform.starts.size(), ending == "cancel" ? 0 : 1);
        file = read_file(rig.dir.filePath("brx-presets.json"));
    }
    Rig rig;
    rig.write_cfg(configured);
    if (!file.isEmpty())
        write_file(rig.dir.filePath("brx-presets.json"), file);
    rig.main.show_iwad_kind(ending.contains("doom") ? "DOOM.WAD" : "DOOM2.WAD");
    rig.open<GameDialog>(id, [&](GameDialog &d) {
        if (ending.contains("defaults"))
            click(d, "defaults_button");
        const LaunchRequest wanted = request(expected.section('|', 0, 0));
        QCOMPARE(state(d), QStringList(fields(wanted)).join("; ") + '|' + expected.section('|', 1));
    });
    QVERIFY(rig.platform.messages.isEmpty());
}

// The preset row: "Save as..." asks a name and keeps the dialog's choices with the current
// engine and IWAD; choosing a preset fills the dialog, makes its engine and IWAD the current
// ones (brx.cfg, the indicator, the level list, the label) and "Delete" removes it. A name
// that cannot be one is refused; "Shortcut" writes a desktop entry that plays the preset.
void tst_games::preset_row() {
    Rig rig;
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    rig.write_cfg(configured);
    rig.main.show_iwad_kind("DOOM2.WAD");
    const QString name = R"(UV "fast" 100% $HOME `x` \ ;&|)";
    rig.platform.answer_text(name);
    rig.platform.answer_text(std::nullopt);
    rig.platform.answer_text("two\nlines");
    rig.open<GameDialog>(solo, [&](GameDialog &d) {
        act(d, "pick level=Map07; click Fastmonsters; type other_options=-nosound; click "
               "preset_save; click preset_save; click preset_save; click preset_shortcut");
    });
    QCOMPARE(rig.platform.questions,
             QStringList({"Name of the preset:|", "Name of the preset:|" + name,
                          "Name of the preset:|" + name}));
    QCOMPARE(rig.platform.messages.value(0).prompt,
             "A preset's name is one line without control characters.");
    const QString entry =
        QString::fromUtf8(read_file(rig.platform.messages.value(1).prompt.section('\n', 1)));
    QVERIFY2(entry.contains(R"(--play "UV \\"fast\\" 100%% \\$HOME \\`x\\` \\\\ ;&|")"),
             qPrintable(entry));

    // The preset points elsewhere: another engine, a Doom IWAD.
    Presets presets;
    QCOMPARE(read_presets_file(rig.dir.filePath("brx-presets.json"), presets).kind,
             PresetsFound::data);
    QCOMPARE(presets.presets.value(0).engine + '|' + presets.presets.value(0).iwad,
             "/g/zdoom|/srv/doom/DOOM2.WAD");
    presets.presets[0].engine = "/g/woof";
    presets.presets[0].iwad = "/d/DOOM.WAD";
    presets.presets[0].game.level = "E2M2";
    write_file(rig.dir.filePath("brx-presets.json"), write_presets(presets));
    rig.open<GameDialog>(solo, [&](GameDialog &d) {
        auto *list = child<QComboBox>(d, "preset_list");
        QCOMPARE(list->currentIndex(), -1);
        click(d, "defaults_button");
        QTest::keyClick(list, Qt::Key_Down); // the first preset, as the keyboard chooses it
        QCOMPARE(list->currentText(), name);
        QCOMPARE(fields(d.request()),
                 fields(request("solo; level=E2M2; fastmonsters=1; other_options=-nosound")));
        QCOMPARE(child<QLabel>(d, "preset_runs")->text(), "Runs woof with DOOM.WAD");
        click(d, "preset_delete");
        QCOMPARE(list->count(), 0);
    });
    QCOMPARE(rig.main.display_iwad->text(), "IWAD: Doom");
    QVERIFY(rig.cfg().startsWith("/g/woof,/d/DOOM.WAD,640,480,44100"));
    QCOMPARE(read_presets_file(rig.dir.filePath("brx-presets.json"), presets).kind,
             PresetsFound::data);
    QVERIFY(presets.presets.isEmpty());
    QCOMPARE(rig.platform.messages.size(), 2);
    qunsetenv("XDG_DATA_HOME");
}

// A damaged presets file is told once, moved aside and never saved over; presets saved after
// it start afresh.
void tst_games::damaged_presets_file() {
    Rig rig;
    rig.write_cfg(configured);
    const QString path = rig.dir.filePath("brx-presets.json");
    write_file(path, "{damaged");
    rig.platform.answer_text("new");
    rig.open<GameDialog>(solo, [&](GameDialog &d) { click(d, "preset_save"); });
    rig.open<GameDialog>(multi);
    QCOMPARE(rig.seen().filter("damaged").size(), 1);
    QCOMPARE(read_file(path + ".damaged"), "{damaged");
    Presets presets;
    read_presets_file(path, presets);
    QCOMPARE(presets.presets.value(0).name, "new");
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
