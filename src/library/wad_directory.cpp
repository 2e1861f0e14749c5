#include "wad_directory.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace brx {

namespace {

constexpr qint64 header_size = 12;
constexpr qint64 entry_size = WadDirectory::entry_size;

qint32 int32_at(const char *bytes) {
    return qFromLittleEndian<qint32>(bytes);
}

} // namespace

QString Lump::text() const {
    return key_text(key);
}

QString key_text(quint64 key) {
    char name[8];
    int length = 0;
    for (; length < 8 && (key >> (8 * length) & 0xff) != 0; ++length)
        name[length] = char(key >> (8 * length));
    return QString::fromLatin1(name, length);
}

Lump WadDirectory::lump(qsizetype i) const {
    const char *entry = entries.constData() + i * entry_size;
    return {name_key(entry + 8), int32_at(entry), int32_at(entry + 4)};
}

qsizetype WadDirectory::find(quint64 key, qsizetype from) const {
    for (qsizetype i = std::max<qsizetype>(from, 0), count = size(); i < count; ++i)
        if (this->key(i) == key)
            return i;
    return -1;
}

namespace {

// The directory after its header, read with `read_at(offset, bytes, count)` from a device of
// `size` bytes.
template <typename ReadAt>
std::optional<WadDirectory> directory_after(QByteArrayView header, qint64 size, ReadAt read_at) {
    if (header.size() < header_size)
        return std::nullopt;
    WadDirectory directory;
    if (header.startsWith("IWAD"))
        directory.iwad = true;
    else if (!header.startsWith("PWAD"))
        return std::nullopt;
    const qint64 count = int32_at(header.data() + 4);
    const qint64 offset = int32_at(header.data() + 8);
    // Both are below 2^31, so the end of the directory cannot overflow.
    if (count <= 0 || offset < 0 || offset + count * entry_size > size)
        return std::nullopt;
    directory.device_size = size;
    directory.entries.resize(std::min(count, wad_entries_read) * entry_size);
    if (!read_at(offset, directory.entries.data(), directory.entries.size()))
        return std::nullopt;
    return directory;
}

} // namespace

std::optional<WadDirectory> read_wad_directory(QIODevice &device) {
    if (!device.isReadable() || device.isSequential())
        return std::nullopt;
    const auto read_at = [&device](qint64 offset, char *bytes, qint64 count) {
        return device.seek(offset) && device.read(bytes, count) == count;
    };
    const qint64 size = device.size();
    char header[header_size];
    if (size < header_size || !read_at(0, header, header_size))
        return std::nullopt;
    return directory_after(QByteArrayView(header, header_size), size, read_at);
}

std::optional<WadDirectory> read_wad_directory(RegularFile &file, QByteArrayView header) {
    return directory_after(header, file.size(), [&file](qint64 offset, char *bytes, qint64 count) {
        return file.read_at(offset, bytes, count);
    });
}

RegularFile::~RegularFile() {
    close();
}

bool RegularFile::open(const QString &path) {
    close();
#ifdef Q_OS_UNIX
    if (path.isEmpty() || path.contains(QChar(0)))
        return false;
    fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat status;
    if (fd_ < 0 || ::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode)) {
        close();
        return false;
    }
    size_ = status.st_size;
    return true;
#else
    if (!open_regular_file(file_, path)) {
        close();
        return false;
    }
    size_ = file_.size();
    return true;
#endif
}

void RegularFile::close() {
#ifdef Q_OS_UNIX
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
#else
    file_.close();
#endif
    size_ = 0;
}

bool RegularFile::read_at(qint64 offset, char *bytes, qint64 count) {
#ifdef Q_OS_UNIX
    if (fd_ < 0 || offset < 0 || count < 0)
        return false;
    for (qint64 done = 0; done < count;) {
        const ssize_t got = ::pread(fd_, bytes + done, size_t(count - done), off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += got;
    }
    return true;
#else
    return file_.isOpen() && offset >= 0 && count >= 0 && file_.seek(offset) &&
           file_.read(bytes, count) == count;
#endif
}

bool open_regular_file(QFile &file, const QString &path) {
    if (path.isEmpty() || path.contains(QChar(0)))
        return false;
#ifdef Q_OS_UNIX
    // Opened without waiting, for a FIFO would wait for a writer; then only a regular file goes
    // on.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    file.setFileName(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
#endif
}

std::optional<QByteArray> read_lump(RegularFile &file, const Lump &lump, qint64 cap) {
    if (lump.offset < 0 || lump.size < 0 || lump.size > cap ||
        qint64(lump.offset) + lump.size > file.size())
        return std::nullopt;
    QByteArray bytes(lump.size, Qt::Uninitialized);
    if (lump.size > 0 && !file.read_at(lump.offset, bytes.data(), lump.size))
        return std::nullopt;
    return bytes;
}

} // namespace brx
