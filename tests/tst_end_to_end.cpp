// The whole road of a game start, in-process: from the main window's buttons through a game
// dialog to the argument vector and folder a stand-in engine receives from the real program
// start, the dialog gone and the launcher's folder current again. What is typed reaches the
// engine as text: no shell ever reads it.
#include "folder_fixture.h"
#include "helpers.h"
#include "program_start.h"
#include "rig.h"

#include <QComboBox>
#include <QTabWidget>

using namespace brx;

namespace {

using Act = std::function<void(QDialog &)>;

// A stand-in engine: a script that writes its folder and its arguments, one per line.
struct Engine {
    QTemporaryDir dir;
    QString path = dir.filePath("my zdoom");
    QString report = dir.filePath("report");

    Engine() {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(QStringLiteral("#!/bin/sh\n{ pwd -P; printf '%s\\n' \"$@\"; } >'%1.part'\n"
                                      "mv '%1.part' '%1'\n")
                           .arg(report)
                           .toLocal8Bit()) < 0 ||
            !file.setPermissions(file.permissions() | QFile::ExeOwner))
            qFatal("cannot write the stand-in engine");
    }
    QStringList received() const {
        QFile file(report);
        if (!QTest::qWaitFor([&] { return file.exists(); }, 20000) ||
            !file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLocal8Bit(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
};

} // namespace

Q_DECLARE_METATYPE(Act)

class tst_end_to_end : public InOwnFolder {
    Q_OBJECT
private slots:
    void game_starts_data();
    void game_starts();
    void first_start_through_the_chooser();
    void failed_start();
};

void tst_end_to_end::game_starts_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<Act>("act");
    QTest::addColumn<QString>("arguments"); // after the IWAD, separated by #

    const QString video = "#-width#640#-height#480#+snd_samplerate#44100";
    QTest::newRow("single-player") << "launch_button" << Act([](QDialog &d) {
        child<QComboBox>(d, "skill")->setCurrentIndex(0);
        child<QComboBox>(d, "level")->setCurrentText("Map07");
        click(d, "Fastmonsters");
    }) << "-fast#-skill#1#-warp#07" + video;
    QTest::newRow("join, shell characters in address and files")
        << "MP_Button" << Act([](QDialog &d) {
               type_into(d, "hostip", "1;touch pwned|x");
               type_into(d, "ExternalWad_textbox", "$(touch pwned) `touch pwned`");
               type_into(d, "Dehacked_textbox", "a&b>pwned");
           })
        << "-file#$(touch#pwned)#`touch#pwned`#-deh#a&b>pwned#-extratic#-join#1;touch#pwned|x" +
               video;
    QTest::newRow("host with limits") << "MP_Button" << Act([](QDialog &d) {
        child<QTabWidget>(d, "SSTab1")->setCurrentIndex(1);
        click(d, "timelimit");
        type_into(d, "timetext", "$HOME");
        click(d, "host_dup");
    }) << "-skill#4#-warp#01#-extratic#-dup#2#-host#2#+set#timelimit#$HOME" + video;
}

void tst_end_to_end::game_starts() {
    QFETCH(QString, button);
    QFETCH(Act, act);
    QFETCH(QString, arguments);
    Engine engine;
    Rig rig;
    rig.platform.start = [](const QString &line) { return start_program(line); };
    rig.write_cfg((engine.path + ",/g/DOOM2.WAD,640,480,44100, 2 , 0 \r\n").toLocal8Bit());
    rig.main.Form_Load();
    const QString dialog = button == u"launch_button" ? "launch_solo" : "launch_multi";
    rig.platform.script(dialog, [&](QDialog &d) {
        act(d);
        click(d, "Okay_Button");
    });
    click(rig.main, qPrintable(button));

    QCOMPARE(engine.received(), QStringList{canonical(elsewhere_.path())} +
                                    ("-iwad#/g/DOOM2.WAD#" + arguments).split(u'#'));
    QVERIFY(rig.platform.messages.isEmpty());
    QCOMPARE(rig.platform.shown, QStringList{dialog}); // and the script closed nothing
    QVERIFY(!rig.forms.loaded(FormId::launch_solo) && !rig.forms.loaded(FormId::launch_multi));
    QCOMPARE(canonical(QDir::currentPath()), canonical(rig.dir.path()));
    for (const QString &folder : {elsewhere_.path(), engine.dir.path(), rig.dir.path()})
        QVERIFY(!QFileInfo::exists(QDir(folder).filePath("pwned")));
}

// No brx.cfg: start-up's setup is closed unsaved twice, then "External files..." brings the
// first-run setup, where the engine is chosen, before the file dialog; "Okay" then starts it.
void tst_end_to_end::first_start_through_the_chooser() {
    Engine engine;
    Rig rig;
    rig.platform.start = [](const QString &line) { return start_program(line); };
    rig.main.Form_Load();
    rig.platform.script("doom_setup", [&](QDialog &setup) {
        type_into(setup, "doom_exe", engine.path);
        type_into(setup, "doom_iwad", "/g/DOOM.WAD");
        click(setup, "Okay_Button");
    });
    rig.platform.answer_file(FileChoice{"/w/a.wad", 1});
    rig.platform.script("launch_solo", [](QDialog &d) {
        click(d, "LoadExternal_button");
        click(d, "Okay_Button");
    });
    click(rig.main, "launch_button");

    // The level list was filled for "IWAD: Unknown": no level, and no warp numbers.
    QCOMPARE(engine.received().mid(1),
             QString("-iwad|/g/DOOM.WAD|-file|/w/a.wad|-skill|4|-warp|-width|640|-height|480|"
                     "+snd_samplerate|44100")
                 .split(u'|'));
    QCOMPARE(rig.platform.shown,
             (QStringList{"doom_setup", "doom_setup", "launch_solo", "doom_setup"}));
}

// An engine that is gone: the message, the setup dialog, then the game dialog is gone too.
void tst_end_to_end::failed_start() {
    Rig rig;
    rig.platform.start = [](const QString &line) { return start_program(line); };
    rig.write_cfg("/no/such/zdoom,/g/DOOM2.WAD,640,480,44100, 2 , 0 \r\n");
    rig.main.Form_Load();
    rig.platform.script("launch_solo", [](QDialog &d) { click(d, "Okay_Button"); });
    click(rig.main, "launch_button");
    QCOMPARE(rig.platform.messages.size(), 1);
    QCOMPARE(rig.platform.messages[0].prompt, "Doom executable not found");
    QCOMPARE(rig.platform.shown, (QStringList{"launch_solo", "doom_setup"}));
    QVERIFY(!rig.forms.loaded(FormId::launch_solo));
    QCOMPARE(canonical(QDir::currentPath()), canonical(rig.dir.path()));
}

QTEST_MAIN(tst_end_to_end)
#include "tst_end_to_end.moc"
