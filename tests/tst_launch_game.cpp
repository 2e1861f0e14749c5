// The launch procedure: the settings it reads at each launch, the folders the engine starts
// in and the launch ends in, the missing host address, the game dialogs it closes, and the
// whole road from the main window through the real program start to a stand-in engine.
#include "doom_launch.h"
#include "folder_fixture.h"
#include "helpers.h"
#include "program_start.h"
#include "requests.h"
#include "rig.h"

using namespace brx;

namespace {

// A stand-in engine: a script that writes its folder and its arguments, one per line.
struct Engine {
    QTemporaryDir dir;
    QString path = dir.filePath("my zdoom"), report = dir.filePath("report");

    Engine() {
        const QString script =
            "#!/bin/sh\n{ pwd -P; printf '%s\\n' \"$@\"; } >'%1.part'\nmv '%1.part' '%1'\n";
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(script.arg(report).toLocal8Bit()) < 0 ||
            !file.setPermissions(file.permissions() | QFile::ExeOwner))
            qFatal("cannot write the stand-in engine");
    }
    QStringList received() const {
        QFile file(report);
        return QTest::qWaitFor([&] { return file.exists(); }, 20000) &&
                       file.open(QIODevice::ReadOnly)
                   ? QString::fromLocal8Bit(file.readAll()).split(u'\n', Qt::SkipEmptyParts)
                   : QStringList();
    }
};

} // namespace

class tst_launch_game : public InOwnFolder {
    Q_OBJECT
private slots:
    void damaged_record_and_failed_start();
    void missing_host_address();
    void from_the_main_window_to_the_engine();
};

// What a damaged record lacks keeps the launch's presets (empty texts, card 2, nomd2 0); its
// ZDoomGL, whose folder is missing, starts where it is. A start that fails for any reason,
// not only a missing file, brings its message and the setup.
void tst_launch_game::damaged_record_and_failed_start() {
    Rig rig;
    rig.main.display_iwad->setText("IWAD: Doom2");
    rig.write_cfg("/g/zdoomgl.exe,/g/DOOM2.WAD,800\r\n");
    rig.platform.start_result = error_file_access;
    doom_launch::launch_game(rig.forms, requests::solo);
    QCOMPARE(rig.platform.starts.value(0).command_line,
             "/g/zdoomgl.exe -iwad  -skill  4 -warp 01 -width 800 -height  +snd_samplerate ");
    QCOMPARE(canonical(rig.platform.starts[0].current_dir), canonical(elsewhere_.path()));
    QCOMPARE(rig.platform.messages.size(), 2);
    QCOMPARE(rig.platform.messages[0].prompt, "Config file corrupt");
    QCOMPARE(rig.platform.messages[1].prompt, "Doom executable not found");
    QCOMPARE(rig.platform.shown, QStringList{"doom_setup"});
}
// A join without the host's address: the message at each "Okay", nothing started, the dialog
// still open. The engine's folder is made current before the check, the launcher's after it.
void tst_launch_game::missing_host_address() {
    QTemporaryDir engines;
    Rig rig;
    stand_in(rig.forms, FormId::launch_multi);
    rig.write_cfg((engines.filePath("zdoomgl.exe") + ",/g/DOOM2.WAD,,,, 2 , 0 \r\n").toLocal8Bit());
    int stayed_open = 0;
    rig.platform.script("launch_multi", [&](QDialog &window) {
        for (int press = 0; press < 2; ++press) {
            doom_launch::launch_game(rig.forms, request("join; hostip="));
            stayed_open += rig.forms.loaded(FormId::launch_multi) == &window && window.isVisible();
        }
    });
    rig.forms.show_modal(FormId::launch_multi);

    QCOMPARE(stayed_open, 2);
    QVERIFY(rig.platform.starts.isEmpty());
    QCOMPARE(rig.platform.shown, QStringList{"launch_multi"});
    QCOMPARE(rig.platform.messages.size(), 2);
    QCOMPARE(rig.platform.messages[1].prompt + '|' + rig.platform.messages[1].title,
             "You must enter the hosts IP Address|Error!");
    const QString engine_folder = QDir::toNativeSeparators(engines.path());
    QCOMPARE(rig.platform.dir_changes,
             (QStringList{engine_folder, rig.platform.folder, engine_folder, rig.platform.folder}));
}

// No brx.cfg: a hosted game's launch brings the first-run message and the setup, where an
// engine is chosen that this launch does not use. Its empty engine path fails to start: the
// message and the setup again over the still open dialog, which is then gone. "Launch SP
// game..." then starts the engine chosen, which gets each argument as text (no shell reads
// them) in the launcher's folder, left current by the launch before.
void tst_launch_game::from_the_main_window_to_the_engine() {
#ifdef Q_OS_WIN
    QSKIP("The stand-in engine is a shell script");
#endif
    Engine engine;
    Rig rig;
    rig.platform.start = [](const QString &line) { return start_program(line); };
    const auto okay = [&rig](FormId id, const QString &steps) {
        return [&rig, id, steps](QDialog &d) {
            act(d, steps + "; click Okay_Button");
            QVERIFY(!rig.forms.loaded(id));
        };
    };
    rig.platform.script("launch_multi", okay(FormId::launch_multi, "tab SSTab1=1"));
    rig.platform.script("doom_setup", [&](QDialog &setup) {
        act(setup,
            "type doom_exe=" + engine.path + "; type doom_iwad=/g/DOOM.WAD; click Okay_Button");
    });
    bool over_the_dialog = false;
    rig.platform.script("doom_setup", [&](QDialog &) {
        over_the_dialog =
            rig.platform.messages.size() == 2 && rig.forms.loaded(FormId::launch_multi);
    });
    click(rig.main, "MP_Button");
    QVERIFY(over_the_dialog);
    QCOMPARE(rig.platform.messages[1].prompt + '|' + rig.platform.messages[1].title,
             "Doom executable not found|");
    // The caption the setup set counts: Doom's warp numbers for no level are a blank.
    QCOMPARE(rig.platform.starts[0].command_line,
             " -iwad  -skill  4 -warp   -extratic -host 2 -width  -height  +snd_samplerate ");

    rig.platform.script("launch_solo", okay(FormId::launch_solo,
                                            "pick level=E1M7; type ExternalWad_textbox=$(touch "
                                            "pwned) `touch x`"));
    click(rig.main, "launch_button");
    QCOMPARE(engine.received(), (canonical(rig.dir.path()) +
                                 "|-iwad|/g/DOOM.WAD|-file|$(touch|pwned)|`touch|x`|-skill|4|-warp|"
                                 "1|7|-width|640|-height|480|+snd_samplerate|44100")
                                    .split(u'|'));
    QCOMPARE(rig.platform.shown,
             (QStringList{"launch_multi", "doom_setup", "doom_setup", "launch_solo"}));
    QCOMPARE(rig.platform.messages.size(), 2);
    QCOMPARE(canonical(QDir::currentPath()), canonical(rig.dir.path()));
    for (const QString &folder : {elsewhere_.path(), engine.dir.path(), rig.dir.path()})
        QVERIFY(!QFileInfo::exists(QDir(folder).filePath("pwned")));
}

QTEST_MAIN(tst_launch_game)
#include "tst_launch_game.moc"
