// The game library's scan against a plain listing of the same folders, in the same run, on a
// made-up machine: a DOOMWADDIR of 20,000 files, 100 of them IWADs and the others PWADs (the
// worst case: every one is named *.wad and has to be looked into), and a PATH of 40 folders of
// 100 programs each, a few of them engines. The IWADs are identified for real. Prints the medians
// and their ratios, for a first scan and for the next ones, which find the folders unchanged and
// skip their headers. Usage: library_bench [runs]   (default 21, after a warm-up of each)
#include "discovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

#include <sys/time.h>

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

// Names in every folder the scan looks in, as `ls -f` would list them.
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

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
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
    const timeval minute_ago[2] = {{time(nullptr) - 60, 0}, {time(nullptr) - 60, 0}};
    utimes(QFile::encodeName(env.doomwaddir).constData(), minute_ago);

    std::printf("Game library scan: %d runs of each (after a warm-up), load average %s\n", runs,
                [] {
                    QFile load("/proc/loadavg");
                    return load.open(QIODevice::ReadOnly) ? load.readLine(15).trimmed()
                                                          : QByteArray("unknown");
                }()
                    .constData());
    qsizetype names = list_all(env);
    Found found = find_games(env, {});
    std::vector<double> listing, scan, engines_only, iwads_only, rescan;
    ScanCache cache;
    (void)find_games(env, {}, &cache);
    QElapsedTimer timer;
    for (int run = 0; run < runs; ++run) {
        timer.start();
        names = list_all(env);
        listing.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        found = find_games(env, {});
        scan.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        (void)find_engines(env);
        engines_only.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        (void)find_iwads(env, {});
        iwads_only.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        const Found again = find_games(env, {}, &cache);
        rescan.push_back(timer.nsecsElapsed() / 1e6);
        if (again.iwads.size() != found.iwads.size())
            qFatal("the scan with the cache found something else");
    }
    std::printf("found %lld engines and %lld IWADs among %lld names\n",
                qlonglong(found.engines.size()), qlonglong(found.iwads.size()), qlonglong(names));
    const double list = median(listing), full = median(scan);
    std::printf("\n%-44s %9s\n", "", "median ms");
    std::printf("%-44s %9.2f\n", "plain listing of the same folders", list);
    std::printf("%-44s %9.2f\n", "full scan (engines and IWADs)", full);
    std::printf("%-44s %9.2f\n", "  engines alone (PATH of 40 folders)", median(engines_only));
    std::printf("%-44s %9.2f\n", "  IWADs alone (DOOMWADDIR of 20,000 files)", median(iwads_only));
    std::printf("%-44s %9.2f\n", "full scan again, folders unchanged", median(rescan));
    std::printf("\n");
    const auto ratio = [&](const char *what, double time) {
        const double r = time / list;
        std::printf("%-36s / plain listing = %5.2f x  (target: at most 3.00 x) %s\n", what, r,
                    r <= 3 ? "met" : "MISSED");
    };
    ratio("first full scan", full);
    ratio("full scan, folders unchanged", median(rescan));
    return found.engines.size() == 4 && found.iwads.size() == 100 ? 0 : 1;
}
