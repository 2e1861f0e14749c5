// Renders every window to a PNG, for looking at them: render_windows <folder>.
// Runs on any Qt platform; with -platform offscreen it needs no display.
#include "rig.h"

#include <QTabWidget>

using namespace brx;

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    auto save = [&out](QWidget &window, const QString &name) {
        window.grab().save(QDir(out).filePath(name + ".png"));
    };

    Rig rig;
    rig.write_cfg("/usr/games/zdoom,/usr/share/games/doom/DOOM2.WAD,640,480,44100, 2 , 1 \r\n");
    rig.main.Form_Load();
    rig.main.show();
    save(rig.main, "main_screen_doom2");
    rig.main.show_iwad_kind("/usr/share/games/doom/DOOM.WAD");
    save(rig.main, "main_screen_doom");

    rig.platform.script("doom_setup", [&](QDialog &setup) {
        auto *tabs = setup.findChild<QTabWidget *>("SSTab1");
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            save(setup, QStringLiteral("doom_setup_tab%1").arg(tab));
        }
    });
    click(rig.main, "DCFG_Button");
    return 0;
}
