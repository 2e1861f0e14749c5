// The game dialog's opening with presets: "Launch SP game..." and "Multiplayer game..." opened
// on the scripted platform (offscreen), from the registry's show until the dialog is shown and
// loaded: without a presets file (the opening as it was before presets); the same with the
// last game's 500 files then put in its box (the same content, which a one-line box must lay
// out whole); with a presets file of 200 presets and that last game, unchanged since the last
// opening; and the same with a file changed before each opening, so that it is parsed again.
// Prints the medians of the time and of the processor time (which the other programs of a
// busy machine disturb less) and the ratios.
// bench_presets [runs]
#include "game_dialog.h"
#include "game_presets.h"
#include "windows.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>

using namespace brx;

namespace {

double median(QList<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Times {
    QList<double> wall, processor;
};

// The opening's time and processor time in milliseconds, once per run; the files, when given,
// put in the box.
Times openings(Rig &rig, FormId id, int runs, const QString &files = {}) {
    Times times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        std::clock_t started = 0;
        double shown = 0, used = 0;
        rig.platform.script(form_name(id), [&](QDialog &dialog) {
            if (!files.isEmpty())
                child<QLineEdit>(dialog, "ExternalWad_textbox")->setText(files);
            shown = timer.nsecsElapsed() / 1e6;
            used = double(std::clock() - started) * 1000 / CLOCKS_PER_SEC;
        });
        started = std::clock();
        timer.start();
        rig.forms.show_modal(id);
        times.wall << shown;
        times.processor << used;
    }
    return times;
}

// The last run's times added to those kept.
void keep(Times &kept, const Times &times) {
    kept.wall << times.wall.constLast();
    kept.processor << times.processor.constLast();
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
    QByteArray elsewhere = file;
    elsewhere.insert(1, "\"saved by\": \"another launcher\",");
    std::printf("Opening a game dialog, median of %d runs (presets file %lld KiB)\n", runs,
                static_cast<long long>(file.size() / 1024));
    for (const FormId id : {FormId::launch_solo, FormId::launch_multi}) {
        // One warm-up of each, then the openings alternating so that all see the same machine.
        Times without, same, with, changed;
        for (int round = 0; round < runs; ++round) {
            const int times = round == 0 ? 2 : 1;
            QFile::remove(path);
            keep(without, openings(rig, id, times));
            keep(same, openings(rig, id, times, presets.last_solo.externalwad));
            // Another launcher saves the same presets in other bytes, then this one saves:
            // each opening finds the file changed. The next finds it as it was.
            for (const QByteArray &bytes : {elsewhere, file}) {
                write_file(path, bytes);
                keep(changed, openings(rig, id, 1));
            }
            keep(with, openings(rig, id, times));
        }
        std::printf("%s: median ms, processor ms in brackets\n", qPrintable(form_name(id)));
        const auto line = [](const char *what, const Times &times, const Times &base,
                             const Times &content) {
            const double wall = median(times.wall), processor = median(times.processor);
            std::printf("  %-60s %6.2f (%6.2f)", what, wall, processor);
            if (&times != &base)
                std::printf("  ratio %.2f (%.2f)", wall / median(base.wall),
                            processor / median(base.processor));
            if (&times != &base && &times != &content)
                std::printf(", to the same content %.2f (%.2f)", wall / median(content.wall),
                            processor / median(content.processor));
            std::printf("\n");
        };
        line("without presets", without, without, same);
        line("the same, its box then given the 500 files", same, without, same);
        line("200 presets and a last game of 500 files, file unchanged", with, without, same);
        line("the same, the file saved again before each opening", changed, without, same);
    }
    std::printf("Ratios are to the opening without presets; target at most 1.20\n");
    return rig.platform.messages.isEmpty() ? 0 : 1;
}
