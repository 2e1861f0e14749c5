#include "file_head.h"

#include <QFile>
#include <QSemaphore>
#include <QThreadPool>
#include <QVarLengthArray>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brx {

// Not blocking: opening a FIFO that took a file's place since it was listed returns at once.
QByteArray file_head(const QString &path, qint64 size) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray bytes;
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.resize(size);
        qint64 got = 0;
        while (got < size) {
            const ssize_t n = ::read(fd, bytes.data() + got, size_t(size - got));
            if (n <= 0)
                break;
            got += n;
        }
        bytes.truncate(got);
    }
    ::close(fd);
    return bytes;
}

namespace {

// A folder's entries as the listing gives them: the names, one after the other with their
// NULs, and each one's type (DT_REG, DT_LNK, DT_UNKNOWN...).
struct Listing {
    QByteArray names;
    std::vector<qsizetype> starts;
    std::vector<unsigned char> types;

    qsizetype size() const { return qsizetype(starts.size()); }
    const char *name(qsizetype i) const { return names.constData() + starts[size_t(i)]; }
};

// Entries of other types (folders, FIFOs, sockets, devices) are left out; links and entries of
// a type the file system does not tell are kept, to be looked at.
Listing list(DIR *dir) {
    Listing listing;
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        const unsigned char type = entry->d_type;
        if ((type != DT_REG && type != DT_LNK && type != DT_UNKNOWN) ||
            std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
            continue;
        listing.starts.push_back(listing.names.size());
        listing.types.push_back(type);
        listing.names.append(name, qsizetype(std::strlen(name)) + 1);
    }
    return listing;
}

// Whether the entry is a regular file, following a link: the listing's type tells, but for a
// link or an unknown type, which is looked up.
bool regular(int dir, const char *name, unsigned char type) {
    if (type == DT_REG)
        return true;
    struct stat info;
    return ::fstatat(dir, name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

// Opened without waiting (a FIFO that took the file's place fails the read at once).
bool starts_with(int dir, const char *name, QByteArrayView magic) {
    const int fd = ::openat(dir, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    QVarLengthArray<char, 16> head(magic.size());
    const ssize_t got = ::pread(fd, head.data(), size_t(head.size()), 0);
    ::close(fd);
    return got == magic.size() && std::memcmp(head.data(), magic.data(), size_t(got)) == 0;
}

bool ends_with(const char *name, const QList<QByteArray> &suffixes) {
    const size_t length = std::strlen(name);
    return std::any_of(suffixes.cbegin(), suffixes.cend(), [&](const QByteArray &suffix) {
        return length >= size_t(suffix.size()) &&
               ::strcasecmp(name + length - size_t(suffix.size()), suffix.constData()) == 0;
    });
}

// A few hundred files a turn; below a few turns' worth a folder is read on this thread alone.
// The helpers leave a processor to the interface and one to this thread (the pool has as many
// threads as there are processors): on two there are none, for the interface would open its
// windows more slowly while the scan runs.
constexpr qsizetype turn = 256;
constexpr qsizetype shared_from = 4 * turn;
constexpr int most_helpers = 3;

} // namespace

QStringList files_starting_with(const QString &folder, QByteArrayView magic,
                                const QStringList &suffixes) {
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return {};
    const int fd = ::dirfd(dir);
    const Listing listing = list(dir);
    QList<QByteArray> endings;
    for (const QString &suffix : suffixes)
        endings.append(QFile::encodeName(suffix));

    const qsizetype count = listing.size();
    std::vector<char> wanted(size_t(count), 0); // each written by one thread
    std::atomic<qsizetype> next{0};
    const auto work = [&] {
        for (qsizetype from; (from = next.fetch_add(turn)) < count;) {
            for (qsizetype i = from; i < std::min(from + turn, count); ++i) {
                const char *name = listing.name(i);
                wanted[size_t(i)] = regular(fd, name, listing.types[size_t(i)]) &&
                                    (ends_with(name, endings) || starts_with(fd, name, magic));
            }
        }
    };
    // Helpers only where a thread of the pool is free: none is waited for before it starts.
    QSemaphore done;
    int helpers = 0;
    if (count >= shared_from) {
        QThreadPool *pool = QThreadPool::globalInstance();
        const int free = std::min(pool->maxThreadCount() - 2, most_helpers);
        while (helpers < free && pool->tryStart([&] {
            work();
            done.release();
        }))
            ++helpers;
    }
    work();
    done.acquire(helpers);
    ::closedir(dir);

    QStringList names;
    for (qsizetype i = 0; i < count; ++i) {
        if (wanted[size_t(i)])
            names.append(QFile::decodeName(listing.name(i)));
    }
    return names;
}

} // namespace brx
