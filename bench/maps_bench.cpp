// Times the map list of an IWAD and a list of files against a plain read of the same files'
// directories (a WAD's lump directory, an archive's central directory, a patch whole), both in
// the same run, alternating. Prints "<runs> <median ms plain read> <median ms map list> <maps>".
// Usage: maps_bench RUNS IWAD [FILE...]
#include "map_list.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cstdio>

namespace {

// The bytes of the file's directory, read as plainly as it can be.
qint64 read_directory(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray start = file.read(12);
    if (start.startsWith("IWAD") || start.startsWith("PWAD")) {
        const qint32 count = qFromLittleEndian<qint32>(start.constData() + 4);
        const qint32 offset = qFromLittleEndian<qint32>(start.constData() + 8);
        file.seek(offset);
        return file.read(qint64(count) * 16).size();
    }
    if (start.startsWith("PK")) {
        // The end record, then the central directory it points at.
        const qint64 tail = std::min<qint64>(file.size(), 65557);
        file.seek(file.size() - tail);
        const QByteArray end = file.read(tail);
        const qsizetype at = end.lastIndexOf("PK\x05\x06");
        if (at < 0 || at + 22 > end.size())
            return 0;
        const quint32 size = qFromLittleEndian<quint32>(end.constData() + at + 12);
        const quint32 offset = qFromLittleEndian<quint32>(end.constData() + at + 16);
        file.seek(offset);
        return file.read(size).size();
    }
    file.seek(0);
    return file.readAll().size();
}

double median(QList<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    bool ok = false;
    const int runs = args.value(0).toInt(&ok);
    if (!ok || runs < 1 || args.size() < 2) {
        std::fprintf(stderr, "Usage: maps_bench RUNS IWAD [FILE...]\n");
        return 2;
    }
    const QString iwad = args[1];
    const QStringList files = args.mid(2);
    QList<double> plain, listed;
    qsizetype maps = 0;
    qint64 bytes = 0;
    QElapsedTimer timer;
    for (int run = 0; run <= runs; ++run) { // the first a warm-up
        timer.start();
        bytes += read_directory(iwad);
        for (const QString &file : files)
            bytes += read_directory(file);
        const double plain_ms = timer.nsecsElapsed() / 1e6;
        timer.start();
        maps = brx::map_list(iwad, files).maps.size();
        const double listed_ms = timer.nsecsElapsed() / 1e6;
        if (run > 0) {
            plain.append(plain_ms);
            listed.append(listed_ms);
        }
    }
    std::printf("%d %.3f %.3f %lld\n", runs, median(plain), median(listed), (long long)maps);
    return bytes > 0 ? 0 : 1;
}
