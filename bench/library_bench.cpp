// The game library's scan against a plain listing of the same folders, in the same run, on a
// made-up machine: a DOOMWADDIR of 20,000 files, 100 of them IWADs and the others PWADs (every
// one is opened and its header read), and a PATH of 40 folders of 100 programs each, a few of
// them engines. The IWADs are identified for real. Prints the medians and their ratios: for a
// first scan; for the least any scan that reads each file's header can cost (the listing, and
// one open and read of each file with plain system calls); for a new process's first scan
// from the cache file the last one left; and for the next scans in one process.
// Then the engine setup dialog's opening on Qt's offscreen platform, with the scan of that
// machine under way or done, against its opening with nothing to find, alternating, each
// right after the same scan.
// Usage: library_bench [runs]   (default 21, after a warm-up of each)
#include "discovery.h"
#include "file_head.h"
#include "game_library.h"
#include "windows.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QThreadPool>

#include <algorithm>
#include <cstdio>

#include <dirent.h>
#include <fcntl.h>
#include <sys/time.h>
#include <unistd.h>

using namespace brx;

namespace {

void write(const QString &path, const QByteArray &bytes, bool program = false) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    if (program)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

// A WAD of one empty lump: with an "IWAD" header, Doom II's.
QByteArray wad(const char *kind) {
    QByteArray bytes = QByteArray(kind) + QByteArray("\1\0\0\0\14\0\0\0", 8);
    return bytes + QByteArray("\14\0\0\0\0\0\0\0MAP01\0\0\0", 16);
}

// Names in every folder the scan looks in, with their types, as `ls -f` would list them.
qsizetype list_all(const Environment &env) {
    QStringList folders = iwad_places(env);
    for (const EngineFolder &folder : engine_folders(env))
        folders.append(folder.folder);
    qsizetype names = 0;
    for (const QString &folder : folders) {
        QDirIterator it(folder,
                        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        while (it.hasNext()) {
            it.next();
            ++names;
        }
    }
    return names;
}

// One open and one read of 4 bytes of each file in the folder, in plain system calls: what
// reading every header costs beyond the listing, whoever does it.
int open_each(const QString &folder) {
    DIR *dir = opendir(QFile::encodeName(folder).constData());
    int iwads = 0;
    while (const dirent *entry = dir ? readdir(dir) : nullptr) {
        const int fd = openat(dirfd(dir), entry->d_name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        char head[4];
        if (fd >= 0 && pread(fd, head, 4, 0) == 4 && std::equal(head, head + 4, "IWAD"))
            ++iwads;
        if (fd >= 0)
            close(fd);
    }
    if (dir)
        closedir(dir);
    return iwads;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double ms(QElapsedTimer &timer) {
    return timer.nsecsElapsed() / 1e6;
}

// The folder's last change set to `ago` seconds ago.
void changed(const QString &folder, int ago) {
    const timeval times[2] = {{time(nullptr) - ago, 0}, {time(nullptr) - ago, 0}};
    utimes(QFile::encodeName(folder).constData(), times);
}

// The setup dialog opened through the registry, as its button opens it: ms until it is
// loaded and shown. The library's scan of `env` starts just before, as at the launcher's
// start, or is done before when `done`.
double open_setup(Rig &rig, const Environment &env, bool done) {
    GameLibrary &library = rig.main.game_library();
    library.scan(env);
    if (done)
        library.wait();
    QElapsedTimer timer;
    double shown = 0;
    rig.platform.script(form_name(FormId::doom_setup), [&](QDialog &) { shown = ms(timer); });
    timer.start();
    rig.forms.show_modal(FormId::doom_setup);
    library.wait();
    return shown;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 21;

    QTemporaryDir dir;
    const QString base = dir.path();
    Environment env;
    env.home = base + "/home";
    env.root = base + "/root";
    env.doomwaddir = base + "/wads";
    QDir().mkpath(env.doomwaddir);
    for (int i = 0; i < 20000; ++i) {
        const bool iwad = i % 200 == 0;
        write(QString("%1/%2%3.wad")
                  .arg(env.doomwaddir, iwad ? "iwad" : "mod")
                  .arg(i, 5, 10, QChar('0')),
              wad(iwad ? "IWAD" : "PWAD"));
    }
    QStringList path;
    const char *engines[] = {"gzdoom", "chocolate-doom", "woof", "dsda-doom"};
    for (int f = 0; f < 40; ++f) {
        const QString folder = QString("%1/bin%2").arg(base).arg(f);
        QDir().mkpath(folder);
        for (int i = 0; i < 100; ++i)
            write(QString("%1/tool%2").arg(folder).arg(i), "#!/bin/sh\n", true);
        if (f % 10 == 3)
            write(folder + '/' + engines[f / 10], "#!/bin/sh\n", true);
        path.append(folder);
    }
    env.path = path.join(':');
    // Made a minute ago, as far as the cache can tell.
    changed(env.doomwaddir, 60);
    const QString cache_file = base + "/cache/library.json";

    std::printf(
        "Game library scan: %d runs of each (after a warm-up), load average %s, %d "
        "threads in the pool\n",
        runs,
        [] {
            QFile load("/proc/loadavg");
            return load.open(QIODevice::ReadOnly) ? load.readLine(15).trimmed()
                                                  : QByteArray("unknown");
        }()
            .constData(),
        QThreadPool::globalInstance()->maxThreadCount());
    qsizetype names = list_all(env);
    Found found = find_games(env, {});
    ScanCache cache;
    (void)find_games(env, {}, &cache);
    write_scan_cache_file(cache_file, cache);
    std::vector<double> listing, scan, engines_only, iwads_only, floor, from_file, rescan;
    QElapsedTimer timer;
    for (int run = 0; run < runs; ++run) {
        timer.start();
        names = list_all(env);
        listing.push_back(ms(timer));
        timer.start();
        found = find_games(env, {});
        scan.push_back(ms(timer));
        timer.start();
        (void)find_engines(env);
        engines_only.push_back(ms(timer));
        timer.start();
        (void)find_iwads(env, {});
        iwads_only.push_back(ms(timer));
        timer.start();
        (void)list_all(env);
        if (open_each(env.doomwaddir) != 100)
            qFatal("the plain reads found something else");
        floor.push_back(ms(timer));
        timer.start();
        ScanCache stored = read_scan_cache(file_head(cache_file, scan_cache_read));
        const Found first = find_games(env, {}, &stored);
        from_file.push_back(ms(timer));
        timer.start();
        const Found again = find_games(env, {}, &cache);
        rescan.push_back(ms(timer));
        if (again.iwads.size() != found.iwads.size() || first.iwads.size() != found.iwads.size())
            qFatal("the scan with the cache found something else");
    }
    std::printf("found %lld engines and %lld IWADs among %lld names\n",
                qlonglong(found.engines.size()), qlonglong(found.iwads.size()), qlonglong(names));
    const double list = median(listing), full = median(scan);
    std::printf("\n%-58s %9s\n", "", "median ms");
    std::printf("%-58s %9.2f\n", "plain listing of the same folders (names and types)", list);
    std::printf("%-58s %9.2f\n", "first full scan (engines and IWADs)", full);
    std::printf("%-58s %9.2f\n", "  engines alone (PATH of 40 folders)", median(engines_only));
    std::printf("%-58s %9.2f\n", "  IWADs alone (DOOMWADDIR of 20,000 files)", median(iwads_only));
    std::printf("%-58s %9.2f\n", "least cost: the listing, and open+read of each file",
                median(floor));
    std::printf("%-58s %9.2f\n", "new process, first scan from the cache file", median(from_file));
    std::printf("%-58s %9.2f\n", "next scan in the same process, folders unchanged",
                median(rescan));
    std::printf("\n");
    const auto ratio = [&](const char *what, double time, bool target = true) {
        const double r = time / list;
        std::printf("%-42s / plain listing = %5.2f x", what, r);
        if (target)
            std::printf("  (target: at most 3.00 x) %s", r <= 3 ? "met" : "MISSED");
        std::printf("\n");
    };
    ratio("first full scan", full);
    ratio("least cost of reading every header", median(floor), false);
    ratio("new process, scan from the cache file", median(from_file));
    ratio("next scan, folders unchanged", median(rescan));

    // The setup dialog, opened with a configured engine and IWAD.
    Rig rig;
    rig.write_cfg(configured);
    rig.main.Form_Load();
    Environment nothing;
    nothing.home = base + "/empty/home";
    nothing.root = base + "/empty/root";
    std::vector<double> empty, under_way, done;
    for (int run = 0; run <= runs; ++run) { // the first a warm-up
        // Each opening comes after the same work, a scan of that machine (on this thread, or
        // the library's own): after it the processor's caches hold its data, not the dialog's,
        // and the opening takes longer whatever the scan found.
        (void)find_games(env);
        const double e = open_setup(rig, nothing, false);
        (void)find_games(env);
        // Changed since the last scan, so that this one looks into every file again.
        changed(env.doomwaddir, 60 + run);
        const double u = open_setup(rig, env, false);
        const double d = open_setup(rig, env, true);
        if (run > 0) {
            empty.push_back(e);
            under_way.push_back(u);
            done.push_back(d);
        }
    }
    const double alone = median(empty);
    std::printf("\nThe setup dialog's opening, %d runs alternating, median ms\n", runs);
    std::printf("%-58s %9.2f\n", "nothing to find", alone);
    std::printf("%-58s %9.2f\n", "that machine's first scan under way", median(under_way));
    std::printf("%-58s %9.2f\n", "that machine's scan done (100 IWADs offered)", median(done));
    for (const auto &[what, time] :
         {std::pair{"scan under way", median(under_way)}, std::pair{"scan done", median(done)}}) {
        const double r = time / alone;
        std::printf("%-42s / nothing to find = %5.2f x  (target: at most 1.20 x) %s\n", what, r,
                    r <= 1.2 ? "met" : "MISSED");
    }
    return found.engines.size() == 4 && found.iwads.size() == 100 ? 0 : 1;
}
