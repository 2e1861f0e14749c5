// Times the map list of an IWAD and a list of files against a plain read of the same files'
// directories, both in the same run, alternating. Prints
// "<runs> <median ms plain read> <median ms map list> <maps> <median ms libzip alone>".
//
// The plain read of a file: open it, read its header and its directory with one pread each
// (a WAD's lump directory; an archive's end record, then the central directory it points at),
// close it, and walk the directory's records looking at each name as stored: a WAD's eight
// bytes compared with "THINGS", an archive's records followed by their lengths and each name's
// first five bytes compared with "maps/". A file that is neither is read whole. That is the
// least any map list must do; the map list does it as the launcher does (the time zone read
// once, as its start-up sets it up).
// With --tz-as-is, TZ stays as the bench was started with. A last time is that of libzip's
// opening of the .pk3 files alone (zip_open, every entry's name, zip_discard); -1 without one.
// Usage: maps_bench [--tz-as-is] RUNS IWAD [FILE...]   (POSIX)
#include "archive.h"
#include "map_list.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <cstring>

#ifdef BRX_HAVE_LIBZIP
#include <zip.h>
#endif

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool pread_all(int fd, QByteArray &bytes, qint64 count, qint64 offset) {
    bytes.resize(count);
    return ::pread(fd, bytes.data(), size_t(count), off_t(offset)) == ssize_t(count);
}

// What the walk found, so that it is done: the names that matched, and the records.
qint64 read_directory(const QString &path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    struct stat status;
    QByteArray start, directory;
    qint64 found = 0;
    if (::fstat(fd, &status) != 0 ||
        !pread_all(fd, start, std::min<qint64>(12, status.st_size), 0)) {
        ::close(fd);
        return 0;
    }
    if (start.startsWith("IWAD") || start.startsWith("PWAD")) {
        const qint32 count = qFromLittleEndian<qint32>(start.constData() + 4);
        const qint32 offset = qFromLittleEndian<qint32>(start.constData() + 8);
        if (pread_all(fd, directory, qint64(count) * 16, offset)) {
            ::close(fd);
            for (qint64 at = 0; at < directory.size(); at += 16, ++found)
                found += std::memcmp(directory.constData() + at + 8, "THINGS\0\0", 8) == 0;
            return found;
        }
    } else if (start.startsWith("PK")) {
        const qint64 tail = std::min<qint64>(status.st_size, 65557);
        QByteArray end;
        if (pread_all(fd, end, tail, status.st_size - tail)) {
            const qsizetype at = end.lastIndexOf("PK\x05\x06");
            const quint32 size = at >= 0 && at + 22 <= end.size()
                                     ? qFromLittleEndian<quint32>(end.constData() + at + 12)
                                     : 0;
            const quint32 offset = at >= 0 && at + 22 <= end.size()
                                       ? qFromLittleEndian<quint32>(end.constData() + at + 16)
                                       : 0;
            if (size > 0 && pread_all(fd, directory, size, offset)) {
                ::close(fd);
                const char *records = directory.constData();
                for (qint64 at = 0; at + 46 <= directory.size() &&
                                    qFromLittleEndian<quint32>(records + at) == 0x02014b50;
                     ++found) {
                    const qint64 name = qFromLittleEndian<quint16>(records + at + 28);
                    const qint64 extra = qFromLittleEndian<quint16>(records + at + 30);
                    const qint64 comment = qFromLittleEndian<quint16>(records + at + 32);
                    found += name >= 5 && at + 46 + 5 <= directory.size() &&
                             std::memcmp(records + at + 46, "maps/", 5) == 0;
                    at += 46 + name + extra + comment;
                }
                return found;
            }
        }
    } else if (pread_all(fd, directory, status.st_size, 0)) {
        found = directory.size();
    }
    ::close(fd);
    return found;
}

double median(QList<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// libzip's opening of each archive among the files and the look at every entry's name, the
// least the map list asks of it; the entries' count.
qint64 open_archives(const QStringList &files) {
    qint64 entries = 0;
#ifdef BRX_HAVE_LIBZIP
    for (const QString &path : files) {
        if (!path.endsWith(u".pk3"))
            continue;
        int error = 0;
        zip_t *zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
        if (!zip)
            continue;
        const zip_int64_t count = zip_get_num_entries(zip, 0);
        for (zip_int64_t i = 0; i < count; ++i)
            entries += zip_get_name(zip, zip_uint64_t(i), ZIP_FL_ENC_RAW) != nullptr;
        zip_discard(zip);
    }
#else
    Q_UNUSED(files);
#endif
    return entries;
}

} // namespace

int main(int argc, char **argv) {
    // As the launcher starts, unless asked to leave TZ as it is.
    const bool tz_as_is = argc > 1 && std::strcmp(argv[1], "--tz-as-is") == 0;
    if (!tz_as_is)
        brx::read_time_zone_once();
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(tz_as_is ? 2 : 1);
    bool ok = false;
    const int runs = args.value(0).toInt(&ok);
    if (!ok || runs < 1 || args.size() < 2) {
        std::fprintf(stderr, "Usage: maps_bench [--tz-as-is] RUNS IWAD [FILE...]\n");
        return 2;
    }
    const QString iwad = args[1];
    const QStringList files = args.mid(2);
    QList<double> plain, listed, opened;
    qsizetype maps = 0;
    qint64 found = 0;
    QElapsedTimer timer;
    for (int run = 0; run <= runs; ++run) { // the first a warm-up
        timer.start();
        found += read_directory(iwad);
        for (const QString &file : files)
            found += read_directory(file);
        const double plain_ms = timer.nsecsElapsed() / 1e6;
        timer.start();
        maps = brx::map_list(iwad, files).maps.size();
        const double listed_ms = timer.nsecsElapsed() / 1e6;
        timer.start();
        found += open_archives(files);
        const double opened_ms = timer.nsecsElapsed() / 1e6;
        if (run > 0) {
            plain.append(plain_ms);
            listed.append(listed_ms);
            opened.append(opened_ms);
        }
    }
    const bool archives = std::any_of(files.begin(), files.end(),
                                      [](const QString &file) { return file.endsWith(u".pk3"); });
    std::printf("%d %.3f %.3f %lld %.3f\n", runs, median(plain), median(listed), (long long)maps,
                archives ? median(opened) : -1.0);
    return found > 0 ? 0 : 1;
}
