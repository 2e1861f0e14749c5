// The launch procedure on the scripted platform: the settings it reloads, the first run, the
// missing host address, the failed start, the dialogs it closes and the current directory.
#include "doom_launch.h"
#include "folder_fixture.h"
#include "helpers.h"
#include "program_start.h"
#include "requests.h"
#include "rig.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

using namespace brx;

namespace {

using requests::join;
using requests::solo;

QByteArray record(const QString &exe) {
    return (exe + ",/g/DOOM2.WAD,640,480,44100, 2 , 0 \r\n").toLocal8Bit();
}

// The game dialogs only call the launch here.
void define_callers(Forms &forms) {
    stand_in(forms, FormId::launch_solo);
    stand_in(forms, FormId::launch_multi);
}

} // namespace

class tst_launch_game : public InOwnFolder {
    Q_OBJECT
private slots:
    void settings_reloaded_data();
    void settings_reloaded();
    void first_run();
    void missing_host_address();
    void failed_start_data();
    void failed_start();
    void current_directory_data();
    void current_directory();
};

void tst_launch_game::settings_reloaded_data() {
    QTest::addColumn<QByteArray>("cfg");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");

    QTest::newRow("stored record") << record("/g/zdoom")
                                   << "/g/zdoom -iwad /g/DOOM2.WAD -skill  4 -warp 01 -width 640 "
                                      "-height 480 +snd_samplerate 44100"
                                   << "";
    // What the file does not supply keeps the presets: empty texts, card 2, nomd2 0.
    QTest::newRow("damaged record") << QByteArray("/g/zdoomgl.exe,/g/DOOM2.WAD,800\r\n")
                                    << "/g/zdoomgl.exe -iwad  -skill  4 -warp 01 -width 800 "
                                       "-height  +snd_samplerate "
                                    << "Config file corrupt";
}

void tst_launch_game::settings_reloaded() {
    QFETCH(QByteArray, cfg);
    QFETCH(QString, line);
    QFETCH(QString, message);
    Rig rig;
    rig.main.display_iwad->setText("IWAD: Doom2");
    rig.write_cfg(cfg);
    doom_launch::launch_game(rig.forms, solo);
    QCOMPARE(rig.platform.starts.size(), 1);
    QCOMPARE(rig.platform.starts[0].command_line, line);
    QCOMPARE(rig.platform.messages.size(), message.isEmpty() ? 0 : 1);

    // Nothing is kept between calls: the next one reads the file again.
    rig.write_cfg(record("/h/zdoom"));
    doom_launch::launch_game(rig.forms, solo);
    QVERIFY(rig.platform.starts[1].command_line.startsWith("/h/zdoom -iwad /g/DOOM2.WAD "));
}

// No brx.cfg: the first-run message and the setup dialog; the launch goes on with an empty
// engine path, whose real start fails, and the setup dialog opens a second time.
void tst_launch_game::first_run() {
    Rig rig;
    define_callers(rig.forms);
    rig.platform.start = [](const QString &line) { return brx::start_program(line); };
    rig.platform.script("doom_setup", [&rig](QDialog &setup) {
        type_into(setup, "doom_exe", "/g/zdoom");
        type_into(setup, "doom_iwad", "/g/DOOM.WAD");
        click(setup, "Okay_Button");
    });
    qsizetype messages_at_second_setup = -1;
    rig.platform.script(
        "doom_setup", [&](QDialog &) { messages_at_second_setup = rig.platform.messages.size(); });
    LaunchRequest request = solo;
    request.level = "E1M1";
    rig.platform.script("launch_solo",
                        [&](QDialog &) { doom_launch::launch_game(rig.forms, request); });
    rig.forms.show_modal(FormId::launch_solo);

    QCOMPARE(rig.platform.messages.size(), 2);
    QCOMPARE(rig.platform.messages[0].title, "BRX needs to be configured...");
    QCOMPARE(rig.platform.messages[1].prompt, "Doom executable not found");
    QCOMPARE(rig.platform.messages[1].title, QString());
    QCOMPARE(rig.platform.shown, (QStringList{"launch_solo", "doom_setup", "doom_setup"}));
    QCOMPARE(messages_at_second_setup, 2);
    // What the first setup saved is not used by this call; the caption it set is.
    QCOMPARE(rig.platform.starts.size(), 1);
    QCOMPARE(rig.platform.starts[0].command_line,
             " -iwad  -skill  4 -warp 1 1 -width  -height  +snd_samplerate ");
    QVERIFY(!rig.forms.loaded(FormId::launch_solo));
    QCOMPARE(canonical(QDir::currentPath()), canonical(rig.dir.path()));
}

void tst_launch_game::missing_host_address() {
    QTemporaryDir engines;
    Rig rig;
    define_callers(rig.forms);
    rig.write_cfg(record(engines.filePath("zdoomgl.exe")));
    LaunchRequest no_address = join;
    no_address.hostip.clear();
    bool stayed_open = true;
    rig.platform.script("launch_multi", [&](QDialog &window) {
        // The message each time "Okay" is pressed, and the dialog stays.
        for (int press = 0; press < 2; ++press) {
            doom_launch::launch_game(rig.forms, no_address);
            stayed_open = stayed_open && rig.forms.loaded(FormId::launch_multi) == &window &&
                          window.isVisible();
        }
    });
    rig.forms.show_modal(FormId::launch_multi);

    QVERIFY(stayed_open);
    QVERIFY(rig.platform.starts.isEmpty());
    QCOMPARE(rig.platform.messages.size(), 2);
    QCOMPARE(rig.platform.messages[1].prompt, "You must enter the hosts IP Address");
    QCOMPARE(rig.platform.messages[1].title, "Error!");
    QCOMPARE(rig.platform.shown, QStringList{"launch_multi"});
    // The engine's folder is made current before the address is checked; each call still
    // ends in the launcher's folder.
    const QString engine_folder = QDir::toNativeSeparators(engines.path());
    QCOMPARE(rig.platform.dir_changes,
             (QStringList{engine_folder, rig.platform.folder, engine_folder, rig.platform.folder}));
}

// A start that fails for any reason: the message, then the setup dialog over the still open
// game dialog, then both game dialogs closed, whichever called and whether or not both were
// open.
void tst_launch_game::failed_start_data() {
    QTest::addColumn<int>("error"); // 0: the start works
    QTest::addColumn<QStringList>("dialogs");
    const QStringList solo_only{"launch_solo"};
    const QStringList multi_over_solo{"launch_solo", "launch_multi"};
    QTest::newRow("started") << 0 << solo_only;
    QTest::newRow("started, both dialogs open") << 0 << multi_over_solo;
    QTest::newRow("not found") << int(error_file_not_found) << QStringList{"launch_multi"};
    QTest::newRow("another failure, both open") << int(error_file_access) << multi_over_solo;
}

void tst_launch_game::failed_start() {
    QFETCH(int, error);
    QFETCH(QStringList, dialogs);
    Rig rig;
    define_callers(rig.forms);
    rig.write_cfg(record("/g/zdoom"));
    rig.platform.start_result = error;
    bool caller_open_during_setup = false;
    if (error != 0)
        rig.platform.script("doom_setup", [&](QDialog &setup) {
            caller_open_during_setup = rig.platform.messages.size() == 1 &&
                                       rig.forms.loaded(FormId::launch_multi) &&
                                       setup.parentWidget() == &rig.main;
        });
    bool both_closed = false;
    rig.platform.script(dialogs.last(), [&](QDialog &) {
        doom_launch::launch_game(rig.forms, join);
        both_closed =
            !rig.forms.loaded(FormId::launch_solo) && !rig.forms.loaded(FormId::launch_multi);
    });
    if (dialogs.size() == 2)
        rig.platform.script(dialogs[0],
                            [&](QDialog &) { rig.forms.show_modal(FormId::launch_multi); });
    rig.forms.show_modal(dialogs[0] == "launch_solo" ? FormId::launch_solo : FormId::launch_multi);

    QVERIFY(both_closed);
    QCOMPARE(rig.platform.starts.size(), 1);
    if (error == 0) {
        QVERIFY(rig.platform.messages.isEmpty());
        QCOMPARE(rig.platform.shown, dialogs);
    } else {
        QCOMPARE(rig.platform.messages.size(), 1);
        QCOMPARE(rig.platform.messages[0].prompt, "Doom executable not found");
        QCOMPARE(rig.platform.messages[0].title, QString());
        QCOMPARE(rig.platform.shown, dialogs + QStringList{"doom_setup"});
        QVERIFY(caller_open_during_setup);
    }
    QCOMPARE(canonical(QDir::currentPath()), canonical(rig.dir.path()));
}

void tst_launch_game::current_directory_data() {
    QTest::addColumn<QString>("exe");    // in a folder of engines, unless absolute
    QTest::addColumn<QString>("folder"); // current at the start; empty: as it was before

    QTest::newRow("ZDoom: left as it is") << "zdoom.exe"
                                          << "";
    QTest::newRow("ZDoomGL: its folder") << "zdoomgl.exe"
                                         << ".";
    QTest::newRow("ZDOOMGL.EXE") << "ZDOOMGL.EXE"
                                 << ".";
    QTest::newRow("a name ending in zdoomgl.exe") << "myzdoomgl.exe"
                                                  << ".";
    QTest::newRow("a folder with blanks") << "My Games/zdoomgl.exe"
                                          << "My Games";
    QTest::newRow("a missing folder: start where it was") << "/no such dir/zdoomgl.exe"
                                                          << "";
}

void tst_launch_game::current_directory() {
    QFETCH(QString, exe);
    QFETCH(QString, folder);
    QTemporaryDir engines;
    QVERIFY(QDir(engines.path()).mkpath("My Games"));
    Rig rig;
    rig.write_cfg(record(QDir(engines.path()).filePath(exe)));
    doom_launch::launch_game(rig.forms, solo);

    QCOMPARE(rig.platform.starts.size(), 1);
    QVERIFY(rig.platform.messages.isEmpty());
    const QString expected = folder.isEmpty() ? elsewhere_.path() : engines.filePath(folder);
    QCOMPARE(canonical(rig.platform.starts[0].current_dir), canonical(expected));
    QCOMPARE(rig.platform.dir_changes.last(), rig.platform.folder);
    QCOMPARE(canonical(QDir::currentPath()), canonical(rig.dir.path()));
}

QTEST_MAIN(tst_launch_game)
#include "tst_launch_game.moc"
