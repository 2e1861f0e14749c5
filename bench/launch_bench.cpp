// The launch benchmark: the time from calling launch_game until the first instruction of the
// engine's main(), the median of many runs, for a normal single-player request and for long
// lists of external WAD files, in a plain folder and in one with blanks (whose paths the start
// puts back together). The engine is a small stand-in that reads the monotonic clock first
// thing; everything between is the real launch: settings load, command line, split and
// search, posix_spawn and exec. A bare posix_spawn of the same engine, measured in the same
// run, is the yardstick the normal request is given against.
//
// Usage: launch_bench [runs]   (runs of the normal request; the long lists get fewer)
#include "doom_launch.h"
#include "platform.h"
#include "program_start.h"
#include "window_list.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

using namespace brx;

namespace {

qint64 now_ns() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// The real start and current directory; no windows, and any message is a failed run.
class BenchPlatform : public Platform {
public:
    QString folder;
    QStringList messages;

    void show_modal(QDialog &) override {}
    void end_modal(QDialog &) override {}
    void end_program() override {}
    void message_box(const QString &prompt, const QString &) override { messages << prompt; }
    bool ask_yes_no(const QString &prompt, const QString &) override {
        messages << prompt;
        return true;
    }
    std::optional<FileChoice> open_file(const FileRequest &) override { return std::nullopt; }
    std::optional<QString> ask_text(const QString &, const QString &, const QString &) override {
        return std::nullopt;
    }
    std::optional<FilesChoice> open_files(const FileRequest &) override { return std::nullopt; }
    QString program_folder() const override { return folder; }
    QString state_folder() const override { return folder; }
    QString user_config_folder() const override { return {}; }
    Version version() const override { return {}; }
    bool set_current_dir(const QString &path) override { return QDir::setCurrent(path); }
    // With the log, as a game is started; the watch needs an event loop and is left out.
    int start_program(const QStringList &arguments, const QString &command_line,
                      const StartWatch &watch = {}) override {
        return brx::start_program(program_call(arguments, command_line),
                                  {watch.log.toStdU16String(), {}});
    }
    HelpStart open_help(const QString &) override { return {}; }
};

// A main window that shows nothing: the IWAD is Doom II, and a load is taken as it is found.
class Caption : public QWidget, public MainWindow {
public:
    WadKind iwad_kind() const override { return WadKind::doom2; }
    void show_iwad_kind(const QString &) override {}
    SettingsFound settings_found(qint16, const SettingsFound &found, const Settings &,
                                 Settings &) override {
        return found;
    }
    PresetsFound presets_found(const PresetsFound &found) override { return found; }
};

struct Figures {
    double to_engine_ms = 0; // median, call to the engine's main()
    double to_return_ms = 0; // median, call to launch_game's return
    int arguments = 0;       // as the engine counted them, its own name included
};

double median(std::vector<qint64> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    const qint64 sum = values.size() % 2 ? 2 * values[middle] : values[middle - 1] + values[middle];
    return double(sum) / 2 / 1e6;
}

[[noreturn]] void fail(const char *what) {
    std::fprintf(stderr, "launch_bench: %s\n", what);
    std::exit(1);
}

Figures measure(const std::function<void()> &start, const BenchPlatform &platform, int runs,
                const QString &report) {
    std::vector<qint64> to_engine;
    std::vector<qint64> to_return;
    int arguments = 0;
    for (int run = 0; run < runs; ++run) {
        QFile::remove(report);
        const qint64 called = now_ns();
        start();
        const qint64 returned = now_ns();
        if (!platform.messages.isEmpty())
            fail(qPrintable(QStringLiteral("the launch said: ") + platform.messages.join(u" / ")));

        QFile file(report);
        const qint64 deadline = now_ns() + qint64(10) * 1000000000;
        while (!file.open(QIODevice::ReadOnly)) {
            if (now_ns() > deadline)
                fail("the engine never reported");
            ::usleep(50);
        }
        const QList<QByteArray> fields = file.readAll().trimmed().split(' ');
        if (fields.size() != 2)
            fail("the engine's report is damaged");
        to_engine.push_back(fields[0].toLongLong() - called);
        to_return.push_back(returned - called);
        arguments = fields[1].toInt();
    }
    return {median(to_engine), median(to_return), arguments};
}

Figures measure(Forms &forms, BenchPlatform &platform, const LaunchRequest &request, int runs,
                const QString &report) {
    return measure([&] { doom_launch::launch_game(forms, request); }, platform, runs, report);
}

// The yardstick, measured in the same run: the engine started by a bare posix_spawn with no
// arguments, its end waited for, and nothing else.
Figures measure_bare_spawn(const BenchPlatform &platform, int runs, const QString &report) {
    char engine[] = BRX_BENCH_ENGINE;
    char *arguments[] = {engine, nullptr};
    return measure(
        [&] {
            pid_t pid = 0;
            if (::posix_spawn(&pid, engine, nullptr, nullptr, arguments, environ) != 0)
                fail("posix_spawn failed");
            ::waitpid(pid, nullptr, 0);
        },
        platform, runs, report);
}

} // namespace

int main(int argc, char *argv[]) {
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 300;

    QTemporaryDir dir;
    if (!dir.isValid())
        fail("no temporary folder");
    const QString report = dir.filePath("report");
    qputenv("BRX_BENCH_REPORT", QFile::encodeName(report));

    BenchPlatform platform;
    platform.folder = dir.path();
    Forms forms(platform);
    // The main window is a widget; nothing is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Caption caption;
    forms.set_main(&caption);

    const auto make = [](const QString &path) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            fail("cannot make the files");
    };
    const QString iwad = dir.filePath("iwads/DOOM2.WAD");
    make(iwad);
    QFile cfg(dir.filePath("brx.cfg"));
    if (!cfg.open(QIODevice::WriteOnly))
        fail("cannot write brx.cfg");
    cfg.write(QString(QStringLiteral(BRX_BENCH_ENGINE) + u',' + iwad +
                      QStringLiteral(",640,480,44100, 2 , 0 \r\n"))
                  .toLocal8Bit());
    cfg.close();

    LaunchRequest request;
    request.launchkind = 1;
    request.clientdup_value = QStringLiteral("0");
    request.level = QStringLiteral("Map07");
    request.skill = QStringLiteral(" 4");
    request.gogame = 1;
    request.respawnmonsters = 1;

    std::printf("Launch: from calling launch_game to the first instruction of the engine's "
                "main(), median.\n\n");
    std::printf("%-42s %6s %15s %15s %10s\n", "request", "runs", "to engine, ms", "to return, ms",
                "arguments");

    // Warm-up: the first starts fill caches that every later start finds full.
    measure(forms, platform, request, 5, report);
    measure_bare_spawn(platform, 5, report);
    const Figures bare = measure_bare_spawn(platform, runs, report);
    std::printf("%-42s %6d %15.3f %15.3f %10d\n", "yardstick: a bare posix_spawn", runs,
                bare.to_engine_ms, bare.to_return_ms, bare.arguments);
    const Figures normal = measure(forms, platform, request, runs, report);
    std::printf("%-42s %6d %15.3f %15.3f %10d\n", "single-player, no external files", runs,
                normal.to_engine_ms, normal.to_return_ms, normal.arguments);
    std::printf("    %.2f times the yardstick, to engine\n",
                normal.to_engine_ms / bare.to_engine_ms);

    struct Row {
        const char *folder;
        int paths;
        Figures figures;
    };
    std::vector<Row> rows;
    for (const char *folder : {"wads", "My Games/wads"}) {
        for (int paths : {10, 1000, 10000}) {
            QString list;
            for (int i = 0; i < paths; ++i) {
                const QString path = dir.filePath(QStringLiteral("%1/map%2.wad")
                                                      .arg(QString::fromLatin1(folder))
                                                      .arg(i, 5, 10, QChar(u'0')));
                make(path);
                list += u' ' + path;
            }
            LaunchRequest listed = request;
            listed.externalwad = list;
            const int count = paths >= 10000  ? std::max(3, runs / 20)
                              : paths >= 1000 ? std::max(3, runs / 5)
                                              : runs;
            measure(forms, platform, listed, 2, report);
            const Figures figures = measure(forms, platform, listed, count, report);
            rows.push_back({folder, paths, figures});
            const QByteArray name = QStringLiteral("externalwad: %1 paths in \"%2\"")
                                        .arg(paths)
                                        .arg(QString::fromLatin1(folder))
                                        .toLocal8Bit();
            std::printf("%-42s %6d %15.3f %15.3f %10d\n", name.constData(), count,
                        figures.to_engine_ms, figures.to_return_ms, figures.arguments);
            if (figures.arguments != normal.arguments + 1 + paths)
                std::printf("    (expected %d arguments)\n", normal.arguments + 1 + paths);
        }
    }

    std::printf("\nGrowth per external path (from 10 to 10,000 paths), to engine:\n");
    for (std::size_t i = 0; i + 2 < rows.size(); i += 3) {
        const double per_path =
            (rows[i + 2].figures.to_engine_ms - rows[i].figures.to_engine_ms) / (10000 - 10);
        const double per_path_small =
            (rows[i + 1].figures.to_engine_ms - rows[i].figures.to_engine_ms) / (1000 - 10);
        std::printf("  \"%s\": %.2f us per path up to 10,000 (%.2f us up to 1,000)\n",
                    rows[i].folder, per_path * 1000, per_path_small * 1000);
    }
    return 0;
}
