// The game dialog's opening with presets: "Launch SP game..." and "Multiplayer game..." opened
// on the scripted platform (offscreen), from the registry's show until the dialog is shown and
// loaded: without a presets file (the opening as it was before presets); the same with the
// last game's 500 files then put in its box (the same content, which a one-line box must lay
// out whole); and with a presets file of 200 presets and that last game. Prints the medians
// and the ratios.
// bench_presets [runs]
#include "game_dialog.h"
#include "game_presets.h"
#include "windows.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

using namespace brx;

namespace {

double median(QList<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The opening's time in milliseconds, once per run; the files, when given, put in the box.
QList<double> openings(Rig &rig, FormId id, int runs, const QString &files = {}) {
    QList<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        double shown = 0;
        rig.platform.script(form_name(id), [&](QDialog &dialog) {
            if (!files.isEmpty())
                child<QLineEdit>(dialog, "ExternalWad_textbox")->setText(files);
            shown = timer.nsecsElapsed() / 1e6;
        });
        timer.start();
        rig.forms.show_modal(id);
        times << shown;
    }
    return times;
}

Presets many_presets() {
    Presets presets;
    QStringList files;
    for (int i = 0; i < 500; ++i)
        files << QStringLiteral("/home/player/doom/wads/megawad-%1/maps-%1.wad").arg(i);
    GameChoices game;
    game.externalwad = files.join(u' ');
    game.dehacked = QStringLiteral("/home/player/doom/patches/patch.deh");
    game.level = QStringLiteral("Map07");
    for (int i = 0; i < 200; ++i) {
        GameChoices choices = game;
        choices.externalwad = files.mid(0, 1 + i % 20).join(u' ');
        presets.put({QStringLiteral("Preset number %1").arg(i),
                     i % 2 ? GameKind::multi : GameKind::solo,
                     QStringLiteral("/usr/games/crispy-doom"),
                     QStringLiteral("/usr/share/games/doom/DOOM2.WAD"), choices});
    }
    presets.set_last(GameKind::solo, game);
    presets.set_last(GameKind::multi, game);
    return presets;
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 50;
    Rig rig;
    rig.write_cfg(configured);
    rig.main.Form_Load();
    const QString path = presets_location(rig.platform).path;
    const Presets presets = many_presets();
    const QByteArray file = write_presets(presets);
    std::printf("Opening a game dialog, median of %d runs, ms (presets file %lld KiB)\n", runs,
                static_cast<long long>(file.size() / 1024));
    for (const FormId id : {FormId::launch_solo, FormId::launch_multi}) {
        // One warm-up of each, then the two alternating so that both see the same machine.
        QList<double> without, same, with;
        for (int round = 0; round < runs; ++round) {
            const int times = round == 0 ? 2 : 1;
            QFile::remove(path);
            without += openings(rig, id, times).last();
            same += openings(rig, id, times, presets.last_solo.externalwad).last();
            write_file(path, file);
            with += openings(rig, id, times).last();
        }
        const double empty = median(without), filled = median(same), after = median(with);
        std::printf("%s: without presets %.2f; the same, its box then given the 500 files %.2f; "
                    "with 200 presets and a last game of 500 files %.2f\n"
                    "  ratio to the opening without presets %.2f; to the same content %.2f "
                    "(target at most 1.20)\n",
                    qPrintable(form_name(id)), empty, filled, after, after / empty, after / filled);
    }
    return rig.platform.messages.isEmpty() ? 0 : 1;
}
