// The engine setup dialog, one opening a row: how it fills itself from brx.cfg (seen in what
// "Okay" saves), the "..." file dialogs, "Okay" with its checks and its save, and leaving it.
#include "doom_setup.h"
#include "rig.h"
#include "wads.h"

using namespace brx;

namespace {

const QByteArray stored = "/g/zdoom,/g/DOOM2.WAD,800,600,22050, 1 , 0 \r\n";
// Past a text box's usual limit; ZDoomGL, whose options the row changes.
const QByteArray long_path = '/' + QByteArray(100000, 'a') + "/zdoomgl.exe";
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
    void follow_engine_data();
    void follow_engine();
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
    // A wide size is kept when the desktop is smaller (the test's screen is 800x600).
    row("a wide size stored", "/z,/DOOM.WAD,1920,1080,48000, 2 , 0 \r\n", {}, "click Okay_Button",
        "/z,/DOOM.WAD,1920,1080,, 2 , 0 \r\n", {"IWAD: Doom", "closed"});
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
    // "Okay" explains a file that is not what its box asks for ('@' is a folder holding a PWAD,
    // a Hexen IWAD, a Freedoom one, a text file, programs and a plain file), and saves it only
    // when the user says so.
    const QString ask = "\n\nSave it anyway?";
    const QString pwad = "levels.wad is a PWAD: it adds levels to an IWAD. Choose it in External "
                         "files... of a game." +
                         ask;
    row("a PWAD, not saved, then saved", stored, {"no", "yes"},
        "type doom_iwad=@/levels.wad; click Okay_Button; click Okay_Button",
        "/g/zdoom,@/levels.wad,800,600,22050, 1 , 0 \r\n",
        {pwad + " [no]|ZDoom Configuration...", pwad + " [yes]|ZDoom Configuration...",
         "IWAD: Doom2", "closed"});
    row("no WAD; a plain file as the engine", stored, {"yes", "no"},
        "type doom_exe=@/readme; type doom_iwad=@/notes.txt; click Okay_Button", "=",
        {"readme is not a program file: the engine's program file was expected, such as gzdoom "
         "or chocolate-doom." +
             ask + " [yes]|ZDoom Configuration...",
         "notes.txt is no WAD file: an IWAD was expected, the main WAD of a game such as "
         "doom2.wad or freedoom2.wad." +
             ask + " [no]|ZDoom Configuration...",
         "IWAD: Unknown", "open"});
    row("a folder as the engine", stored, {"no"}, "type doom_exe=@; click Okay_Button", "=",
        {"wads@ is a folder: the engine's program file was expected, "
         "such as gzdoom or chocolate-doom." +
             ask + " [no]|ZDoom Configuration...",
         "IWAD: Unknown", "open"});
    row("a game the engine does not play", stored, {"no"},
        "type doom_exe=@/chocolate-doom; type doom_iwad=@/hexen.wad; click Okay_Button", "=",
        {"hexen.wad is Hexen, which Chocolate Doom does not play: an IWAD of a Doom game was "
         "expected." +
             ask + " [no]|ZDoom Configuration...",
         "IWAD: Unknown", "open"});
    row("a program and an IWAD it plays; the indicator names the game", stored, {},
        "type doom_exe=@/chocolate-doom; type doom_iwad=@/free.wad; click Okay_Button",
        "@/chocolate-doom,@/free.wad,800,600,22050, 1 , 0 \r\n",
        {"IWAD: Doom2 (Freedoom: Phase 2)", "closed"});
}

void tst_doom_setup::opening() {
    const auto [before, answers, steps, after, seen] = fetch<Row>();
    Rig rig;
    if (before == "folder")
        QVERIFY(QDir(rig.dir.path()).mkdir("brx.cfg"));
    else if (before != "-")
        rig.write_cfg(before);
    for (const QString &answer : answers)
        if (answer != "yes" && answer != "no")
            rig.platform.answer_file(
                answer.isEmpty() ? std::nullopt
                                 : std::optional(FileChoice{answer.section('=', 0, 0),
                                                            answer.section('=', 1).toInt()}));
    const QString at = rig.dir.filePath("wads");
    write_file(at + "/levels.wad", make_wad("PWAD", QList<QByteArray>{"MAP01"}));
    write_file(at + "/hexen.wad",
               make_wad("IWAD", QList<QByteArray>{"TITLE", "MAP01", "MAP40", "WINNOWR"}));
    write_file(at + "/free.wad", make_wad("IWAD", QList<QByteArray>{"MAP01", "FREEDOOM"}));
    write_file(at + "/notes.txt", "a note");
    write_file(at + "/readme", "#!/bin/sh\n");
    write_file(at + "/chocolate-doom", "#!/bin/sh\n", QFile::ExeOwner);
    for (const QString &answer : answers)
        if (answer == "yes" || answer == "no")
            rig.platform.answer_yes_no(answer == "yes");
    const bool open = rig.open<doom_setup>(FormId::doom_setup, [&](doom_setup &setup) {
        act(setup, QString(steps).replace('@', at));
    });
    QString caption = rig.main.display_iwad->text();
    if (!rig.main.display_iwad->toolTip().isEmpty())
        caption += " (" + rig.main.display_iwad->toolTip() + ")";
    QStringList expected;
    for (const QString &line : seen)
        expected << QString(line).replace("wads@", "wads").replace('@', at);
    QCOMPARE(rig.seen() << caption << (open ? "open" : "closed"), expected);
    QCOMPARE(rig.cfg(),
             after == "=" ? before : QByteArray(after).replace('@', QFile::encodeName(at)));
}

// The options the engine in the box has no use for are disabled, each telling why, and still
// saved as they stand.
void tst_doom_setup::follow_engine_data() {
    using Row = std::tuple<QString, QStringList>; // the engine; the tooltips of the disabled
    rows<Row>();
    const QString gl = " is not ZDoomGL: these options are ZDoomGL's alone.";
    QTest::newRow("none named") << Row{"", {}};
    QTest::newRow("ZDoomGL") << Row{"/g/ZDoomGL.exe", {}};
    QTest::newRow("GZDoom") << Row{"/usr/games/gzdoom",
                                   {"Frame4 GZDoom" + gl, "Frame5 GZDoom" + gl}};
    QTest::newRow("woof") << Row{
        "/usr/games/woof",
        {"snd_rate Woof! has no sample rate option: it keeps the rate set in its own menus.",
         "vid_res Woof! has no window size options: it keeps the size set in its own menus.",
         "Frame4 Woof!" + gl, "Frame5 Woof!" + gl}};
    QTest::newRow("an engine of no known name")
        << Row{"/opt/mydoom", {"Frame4 mydoom" + gl, "Frame5 mydoom" + gl}};
}

void tst_doom_setup::follow_engine() {
    const auto [engine, disabled] = fetch<std::tuple<QString, QStringList>>();
    Rig rig;
    rig.write_cfg(stored);
    QStringList seen;
    rig.open<doom_setup>(FormId::doom_setup, [&](doom_setup &setup) {
        act(setup, "type doom_exe=" + engine + (engine.isEmpty() ? "" : "; click Okay_Button"));
        for (QWidget *control : std::initializer_list<QWidget *>{setup.snd_rate, setup.vid_res,
                                                                 setup.Frame4, setup.Frame5})
            if (!control->isEnabled())
                seen << control->objectName() + ' ' + control->toolTip();
    });
    QCOMPARE(seen, disabled);
    QCOMPARE(rig.cfg(), engine.isEmpty()
                            ? stored
                            : stored.mid(stored.indexOf(',')).prepend(engine.toLocal8Bit()));
}

QTEST_MAIN(tst_doom_setup)
#include "tst_doom_setup.moc"
