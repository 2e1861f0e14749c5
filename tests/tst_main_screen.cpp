// The main window: start-up with its two settings loads, the IWAD indicator and its pictures,
// the window's place, the buttons and the keyboard. The about box it opens: its text, "Close"
// and Escape, and "Help!" on each outcome of starting the help viewer; off Windows, the help
// beside the launcher opened in the desktop's viewer.
#include "aboutbox.h"
#include "doom_setup.h"
#include "form_rules.h"
#include "help_viewer.h"
#include "qt_platform.h"
#include "rig.h"
#include "wads.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QScreen>

using namespace brx;

namespace {

QByteArray record(const QString &iwad) {
    return ("/g/zdoom,\"" + iwad + "\",640,480,44100, 2 , 0 \r\n").toLocal8Bit();
}

// A row: brx.cfg ("-" no file, "->path" a link to the path); what the user does in the setup
// dialog (or "in window: steps"), and then in the main window; what the launcher showed, the
// windows, the IWAD caption.
using Row = std::tuple<QByteArray, QString, QString, QStringList>;
void row(const char *name, const QByteArray &cfg, const QString &setup, const QString &steps,
         const QStringList &seen) {
    QTest::newRow(name) << Row{cfg, setup, steps, seen};
}

// A row of the about box: what starting a program answers; the steps; what the launcher
// showed, and the box left open.
using AboutRow = std::tuple<int, QString, QStringList>;

} // namespace

class tst_main_screen : public QObject {
    Q_OBJECT
private slots:
    void start_up_data();
    void start_up();
    void first_run_by_enter();
    void about_box_data();
    void about_box();
    void help_off_windows();
    void xwayland_data();
    void xwayland();
};

void tst_main_screen::start_up_data() {
    rows<Row>();

    const QString saved = "type doom_exe=/g/zdoom; type doom_iwad=/g/DOOM.WAD; click Okay_Button";
    row("first run, saved", "-", saved, "", {first_run, "doom_setup", "IWAD: Doom"});
    row("damaged file", "", "", "",
        {"Config file corrupt|Error!", first_run, "doom_setup", "IWAD: Unknown"});
    row("doom.wad in lower case", record("c:\\doom\\doom.wad"), "", "", {"IWAD: Doom"});
    row("DOOM2.WAD, name alone", record("Doom2.Wad"), "", "", {"IWAD: Doom2"});
    row("trailing blank", record("DOOM2.WAD "), "", "", {"IWAD: Unknown"});
    // Other names: the maps in the file decide ('@' is the program folder, which holds
    // freedoom1.wad with E1M1 and tnt.wad with MAP01).
    row("another name, Doom maps", record("@/freedoom1.wad"), "", "", {"IWAD: Doom"});
    row("saved: another name, Doom II maps", record("/g/DOOM.WAD"),
        "type doom_iwad=@/tnt.wad; click Okay_Button", "click DCFG_Button",
        {"doom_setup", "IWAD: Doom2"});
    // The setup sets the indicator by the same rule as the start-up, the unknown kind too.
    row("saved: a WAD of no known kind", record("/g/DOOM.WAD"),
        "type doom_iwad=/g/TNT.WAD; click Okay_Button", "click DCFG_Button",
        {"doom_setup", "IWAD: Unknown"});
    // A file that cannot be read is named with the reason, at start-up and at a launch, which
    // then starts nothing and asks for no setup.
    const QString unreadable =
        "The settings could not be read from\nbrx.cfg\n\nInput/output error|Error!";
    row("unreadable, then a launch", "->/proc/self/mem", "in launch_solo: click Okay_Button",
        "click launch_button", {unreadable, unreadable, "launch_solo", "IWAD: Unknown"});
    // Enter and Space press a button.
    row("each button, by key or click", record("/g/DOOM2.WAD"), "",
        "key launch_button=Return; key launch_button=Num+Enter; key MP_Button=Space; key "
        "DCFG_Button=Space; click Help_Button; click quit_button",
        {"launch_solo", "launch_solo", "launch_multi", "doom_setup", "aboutbox", "IWAD: Doom2"});
}

void tst_main_screen::start_up() {
    const auto [cfg_row, setup_row, steps, seen] = fetch<Row>();
    Rig rig;
    write_file(rig.dir.filePath("freedoom1.wad"), make_wad("IWAD", QList<QByteArray>{"E1M1"}));
    write_file(rig.dir.filePath("tnt.wad"), make_wad("IWAD", QList<QByteArray>{"MAP01"}));
    const QByteArray cfg = QByteArray(cfg_row).replace('@', QFile::encodeName(rig.dir.path()));
    const QString setup = QString(setup_row).replace('@', rig.dir.path());
    // Minimise but no maximise; centred.
    QCOMPARE(rig.main.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint),
             Qt::WindowMinimizeButtonHint);
    centre_on_screen(rig.main);
    const QRect screen = rig.main.screen()->availableGeometry();
    QVERIFY((rig.main.geometry().center() - screen.center()).manhattanLength() <= 1);
    rig.platform.launcher_version = {2, 3, 14};
    if (cfg.startsWith("->"))
        QVERIFY(QFile::link(QString::fromLocal8Bit(cfg.mid(2)), rig.cfg_path()));
    else if (cfg != "-")
        rig.write_cfg(cfg);
    const bool in = setup.startsWith("in ");
    if (!setup.isEmpty())
        rig.platform.script(
            in ? setup.section(u':', 0, 0).mid(3) : "doom_setup",
            [&](QDialog &window) { act(window, in ? setup.section(u':', 1).trimmed() : setup); });
    rig.main.Form_Load();
    rig.main.show();
    act(rig.main, steps);
    QCOMPARE(rig.seen() << rig.platform.shown << rig.main.display_iwad->text(), seen);
    QCOMPARE(rig.platform.program_ended, steps.contains("quit_button"));
    QCOMPARE(rig.main.Launcher_version->text(), "Version  2.314");
    // The Doom II picture is stretched to its control, the Doom one shown at its own size.
    const bool doom = seen.last() == "IWAD: Doom";
    QCOMPARE(rig.main.Image1->isVisible(), !doom);
    QCOMPARE(rig.main.Image2->isVisible(), doom);
    QCOMPARE(rig.main.Image2->pos(), rig.main.Image1->pos());
    QCOMPARE((doom ? rig.main.Image2 : rig.main.Image1)->pixmap().size(),
             doom ? QSize(320, 200) : rig.main.Image1->size());
}

// From the first start to a running game by Enter alone: the setup is filled with the best
// engine found (the ZDoom family before an engine found earlier on PATH) and the best IWAD (Doom
// II before Freedoom, whatever the file names), and each box lists what was found.
void tst_main_screen::first_run_by_enter() {
    Rig rig;
    const QString base = rig.dir.filePath("machine");
    Environment env;
    env.home = base + "/home";
    env.root = base + "/root";
    env.path = base + "/bin1:" + base + "/bin2";
    env.xdg_data_dirs = base + "/share";
    write_file(base + "/bin1/chocolate-doom", "#!/bin/sh\n", QFile::ExeOwner);
    write_file(base + "/bin2/gzdoom", "#!/bin/sh\n", QFile::ExeOwner);
    const QString wads = base + "/share/games/doom/";
    write_file(wads + "doom2.wad", make_wad("IWAD", QList<QByteArray>{"MAP01", "FREEDOOM"}));
    write_file(wads + "levels.wad", make_wad("PWAD", QList<QByteArray>{"MAP01"}));
    write_file(wads + "zz.wad", make_wad("IWAD", QList<QByteArray>{"MAP01"}));
    rig.main.game_library().scan(env);
    rig.main.game_library().wait();

    QStringList listed;
    rig.platform.script("doom_setup", [&](QDialog &window) {
        auto &setup = static_cast<doom_setup &>(window);
        // Down arrow opens the list of the IWADs found; typing narrows it.
        QTest::keyClick(setup.doom_iwad, Qt::Key_Down);
        QCompleter *completer = setup.doom_iwad->completer();
        QVERIFY(completer->popup()->isVisible());
        for (int i = 0; i < completer->completionCount(); ++i) {
            completer->setCurrentRow(i);
            listed << completer->currentIndex().data().toString();
        }
        // Matched, in any case, and put into the box by the path.
        completer->setCompletionPrefix("ZZ");
        listed << completer->currentCompletion();
        QTest::keyClick(completer->popup(), Qt::Key_Escape);
        QTest::keyClick(setup.doom_exe, Qt::Key_Down);
        listed << QString::number(setup.doom_exe->completer()->completionCount());
        QTest::keyClick(setup.doom_exe->completer()->popup(), Qt::Key_Escape);
        act(window, "key Return");
    });
    rig.platform.script("launch_solo", [](QDialog &window) { act(window, "key Return"); });
    rig.main.Form_Load();
    rig.main.show();
    QCOMPARE(rig.main.focusWidget(), rig.main.launch_button);
    act(rig.main, "key launch_button=Return");
    QCOMPARE(listed,
             (QStringList{"Doom II (" + wads + "zz.wad)",
                          "Freedoom: Phase 2 (" + wads + "doom2.wad)", wads + "zz.wad", "2"}));
    QCOMPARE(rig.seen(),
             (QStringList{
                 first_run,
                 base + "/bin2/gzdoom -iwad " + wads +
                     "zz.wad -skill  4 -warp 01 -width 640 -height 480 +snd_samplerate 44100"}));
}

void tst_main_screen::about_box_data() {
    rows<AboutRow>();
    const QString help = "hh.exe BRX.chm";
    QTest::newRow("Enter on Close, which has the focus") << AboutRow{0, "key Return", {"closed"}};
    QTest::newRow("Escape") << AboutRow{0, "key Escape", {"closed"}};
    QTest::newRow("help started") << AboutRow{0, "click Command2", {help, "closed"}};
    QTest::newRow("help not found")
        << AboutRow{error_file_not_found,
                    "click Command2",
                    {"Windows HTML Help could not be found|", help, "open"}};
    QTest::newRow("another failure") << AboutRow{75, "click Command2", {help, "open"}};
}

void tst_main_screen::about_box() {
    const auto [error, steps, seen] = fetch<AboutRow>();
    Rig rig;
    rig.platform.start_result = error;
    const bool open = rig.open<aboutbox>(FormId::aboutbox, [&](aboutbox &box) {
        // The breaks alone: a label would show the CR of LF CR as a stray glyph.
        QVERIFY(box.Label1->text().startsWith("Brixmoor") && !box.Label1->text().contains('\r'));
        act(box, steps);
    });
    QCOMPARE(rig.seen() << (open ? "open" : "closed"), seen);
}

// The viewer gets the page beside the launcher as one argument, however many blanks its path
// holds, else the one in ../share/brixmoor; without a page, without xdg-open, or when it finds
// no browser, the user is told what is missing.
void tst_main_screen::help_off_windows() {
#ifdef Q_OS_WIN
    QSKIP("Windows has its own help viewer");
#endif
    QTemporaryDir bin, folder(QDir::tempPath() + "/brx help XXXXXX");
    const QString program = folder.filePath("bin"), seen = bin.filePath("seen");
    const QString shared = folder.filePath("share/brixmoor/help/index.html");
    const QString page = folder.filePath("bin/help/index.html");
    // xdg-open as a desktop without a browser has it: it gives up at once.
    write_file(
        bin.filePath("xdg-open"),
        QStringLiteral("#!/bin/sh\nprintf '%s|' \"$@\" >>'%1'\nexit 3\n").arg(seen).toLocal8Bit(),
        QFile::ExeOwner);
    QtPlatform platform;
    const auto start = [&](const QStringList &arguments, const QString &line,
                           const StartWatch &watch) {
        return platform.start_program(arguments, line, watch);
    };
    QStringList told;
    const auto open = [&] {
        const HelpStart help =
            open_html_help(program, start, [&](const QString &why) { told << why; });
        return QString::number(help.error) + u'|' + help.missing;
    };
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    QVERIFY(QDir().mkpath(program + "/help") &&
            QDir().mkpath(folder.filePath("share/brixmoor/help")));
    const QString no_page = open();
    write_file(shared, "");
    const QString installed = open();
    QTRY_VERIFY(QFileInfo(seen).size() > 0);
    write_file(page, "");
    const QString found = open();
    qputenv("PATH", "/nonexistent");
    const QString no_viewer = open();
    qputenv("PATH", path);

    QCOMPARE((QStringList{no_page, installed, found, no_viewer}),
             (QStringList{"53|The help is missing: there is no " + page + ", nor " + shared + ".",
                          "0|", "0|",
                          "53|The help cannot be opened: xdg-open is not installed (the package "
                          "xdg-utils has it)."}));
    QTRY_COMPARE(QString::fromLocal8Bit(read_file(seen)), shared + u'|' + page + u'|');
    QTRY_COMPARE(told.size(), 2);
    QCOMPARE(told.last(),
             "No web browser opened the help, " + page + ": xdg-open ended with exit status 3.");
}

// A Wayland session with an X display runs on it, unless a platform was chosen.
void tst_main_screen::xwayland_data() {
    using Row = std::tuple<QString, QString, QString, QString, bool>;
    rows<Row>();
    QTest::newRow("Wayland and X") << Row{"wayland-0", ":0", "", "", true};
    QTest::newRow("Wayland alone") << Row{"wayland-0", "", "", "", false};
    QTest::newRow("X alone") << Row{"", ":0", "", "", false};
    QTest::newRow("platform chosen") << Row{"wayland-0", ":0", "wayland", "", false};
    QTest::newRow("-platform") << Row{"wayland-0", ":0", "", "-platform", false};
}

void tst_main_screen::xwayland() {
    const auto [wayland, x, chosen, argument, xcb] =
        fetch<std::tuple<QString, QString, QString, QString, bool>>();
    QCOMPARE(prefer_xwayland(wayland, x, chosen, {"brixmoor", argument, "wayland"}), xcb);
}

QTEST_MAIN(tst_main_screen)
#include "tst_main_screen.moc"
