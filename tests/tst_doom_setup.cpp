// The engine setup dialog, one opening a row: how it fills itself from brx.cfg (seen in what
// "Okay" saves), the "..." file dialogs, "Okay" with its checks and its save, and leaving it.
#include "doom_setup.h"
#include "rig.h"

using namespace brx;

namespace {

const QByteArray stored = "/g/zdoom,/g/DOOM2.WAD,800,600,22050, 1 , 0 \r\n";
const QByteArray long_path = '/' + QByteArray(100000, 'a'); // past a text box's usual limit
// The engine chooser's filters and, where programs carry no suffix, its folder when nothing
// is stored.
#ifdef Q_OS_WIN
const QString programs = "", games = "";
#else
const QString programs = "|Programs (all files)|*.exe", games = "/usr/games";
#endif
const QString exe = "Select ZDoom excutable...|ZDoom executable (zdoom.exe)|zdoom.exe|ZdoomGL "
                    "(zdoomgl.exe)|zdoomgl.exe|All executables (*.exe)|*.exe" +
                    programs + "|All files (*)|*|";
const QString iwad = "Select ZDoom IWAD...|Doom wad (doom.wad)|doom.wad|Doom2 wad "
                     "(doom2.wad)|doom2.wad|Doom IWADs (*.wad *.iwad *.ipk3)|*.wad;*.iwad;*.ipk3|"
                     "All files (*)|*|";
const QString unsaved = "The settings could not be saved to\nbrx.cfg\n\n";

// A row: brx.cfg before ("-" none, "folder" a folder of that name); the answers of the file
// dialogs ("path=filter", "" Cancel); the steps; brx.cfg after ("" none, "=" as before); what
// the launcher showed, the IWAD caption, and whether the dialog was left open.
using Row = std::tuple<QByteArray, QStringList, QString, QByteArray, QStringList>;
void row(const char *name, const QByteArray &before, const QStringList &answers,
         const QString &steps, const QByteArray &after, const QStringList &seen) {
    QTest::newRow(name) << Row{before, answers, steps, after, seen};
}

} // namespace

class tst_doom_setup : public QObject {
    Q_OBJECT
private slots:
    void opening_data();
    void opening();
};

void tst_doom_setup::opening_data() {
    rows<Row>();

    const QString exe_please = "Please locate your ZDoom.exe...|",
                  iwad_please = "Please locate your doom/doom2 IWAD...|";
    row("first run: Cancel is off, Okay asks for each path until one is chosen", "-",
        {"", "/g/zdoom=3", "", "/g/DOOM.WAD=1"}, "click Cancel_Button; click Okay_Button",
        "/g/zdoom,/g/DOOM.WAD,640,480,44100, 2 , 1 \r\n",
        {exe_please, exe_please, iwad_please, iwad_please, exe + games, exe + games, iwad, iwad,
         "IWAD: Doom", "closed"});
    row("half a resolution, unlisted rate, no card", "/z,/DOOM.WAD,640,,48000,-1 , 2 \r\n", {},
        "click Okay_Button", "/z,/DOOM.WAD,,,, 0 , 0 \r\n", {"IWAD: Doom", "closed"});
    row("no engine: Cancel is off", ",/D.WAD,,,, 2 , 0 \r\n", {}, "click Cancel_Button", "=",
        {"IWAD: Unknown", "open"});
    row("no IWAD: Cancel is off", "/z,,,,, 2 , 0 \r\n", {}, "click Cancel_Button", "=",
        {"IWAD: Unknown", "open"});
    row("a long path kept, the rest changed, and Enter on Okay, which has the focus",
        long_path + ",/DOOM.WAD,800,600,22050, 1 , 0 \r\n", {},
        "type doom_iwad=/srv/My Games/doom2.wad; pick vid_res=1024x768; pick snd_rate=11025; "
        "click card_0; click nomd2; key Return",
        long_path + ",/srv/My Games/doom2.wad,1024,768,11025, 0 , 1 \r\n",
        {"IWAD: Doom2", "closed"});
    // From the stored paths, not from the boxes; Cancel keeps the box.
    row("browsed", stored, {"", "/srv/doom.wad=2"},
        "type doom_exe=/typed; click get_exe; click get_iwad; click Okay_Button",
        "/typed,/srv/doom.wad,800,600,22050, 1 , 0 \r\n",
        {exe + "/g/zdoom", iwad + "/g/DOOM2.WAD", "IWAD: Doom", "closed"});
    // The filters added after the old ones put the file into the box too.
    row("browsed under the added filters", stored, {"/usr/games/woof=4", "/srv/free2.ipk3=4"},
        "click get_exe; click get_iwad; click Okay_Button",
        "/usr/games/woof,/srv/free2.ipk3,800,600,22050, 1 , 0 \r\n",
        {exe + "/g/zdoom", iwad + "/g/DOOM2.WAD", "IWAD: Unknown", "closed"});
    // A failed save names the file and the reason, keeps everything typed, and leaves the main
    // window alone.
    row("a folder named brx.cfg", "folder", {},
        "type doom_exe=/g/zdoom; type doom_iwad=/g/DOOM2.WAD; click Okay_Button", "",
        {unsaved + "brx.cfg is not a plain file.|Error!", "IWAD: Unknown", "open"});
    row("a double quote, then none", "-", {},
        "type doom_exe=/g/zdoom; type doom_iwad=\"; click Okay_Button; type doom_iwad=/g/D.WAD; "
        "click Okay_Button",
        "/g/zdoom,/g/D.WAD,640,480,44100, 2 , 1 \r\n",
        {unsaved + "This value holds a double quote or a line break, which brx.cfg cannot "
                   "store:\n\"|Error!",
         "IWAD: Unknown", "closed"});
    // A damaged file is reported on opening and moved aside; the boxes show what was read.
    row("damaged", "/g/zdoom\r\n", {}, "", "",
        {"Config file corrupt|Error!", "IWAD: Unknown", "open"});
    // Leaving without saving; Enter in a text box presses no button.
    row("Cancel", stored, {}, "type doom_iwad=/DOOM.WAD; key doom_iwad=Return; click Cancel_Button",
        "=", {"IWAD: Unknown", "closed"});
    row("Escape", stored, {}, "type doom_iwad=/DOOM.WAD; key doom_iwad=Escape", "=",
        {"IWAD: Unknown", "closed"});
}

void tst_doom_setup::opening() {
    const auto [before, answers, steps, after, seen] = fetch<Row>();
    Rig rig;
    if (before == "folder")
        QVERIFY(QDir(rig.dir.path()).mkdir("brx.cfg"));
    else if (before != "-")
        rig.write_cfg(before);
    for (const QString &answer : answers)
        rig.platform.answer_file(answer.isEmpty()
                                     ? std::nullopt
                                     : std::optional(FileChoice{answer.section('=', 0, 0),
                                                                answer.section('=', 1).toInt()}));
    const bool open =
        rig.open<doom_setup>(FormId::doom_setup, [&](doom_setup &setup) { act(setup, steps); });
    QCOMPARE(rig.seen() << rig.main.display_iwad->text() << (open ? "open" : "closed"), seen);
    QCOMPARE(rig.cfg(), after == "=" ? before : after);
}

QTEST_MAIN(tst_doom_setup)
#include "tst_doom_setup.moc"
