#include "wad_directory.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <algorithm>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace brx {

namespace {

constexpr qint64 header_size = 12;
constexpr qint64 entry_size = 16;

qint32 int32_at(const char *bytes) {
    const auto *b = reinterpret_cast<const unsigned char *>(bytes);
    return qint32(quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24);
}

// The bytes at `offset`, all of them or none.
bool read_at(QIODevice &device, qint64 offset, char *bytes, qint64 count) {
    return device.seek(offset) && device.read(bytes, count) == count;
}

} // namespace

QString Lump::text() const {
    char name[8];
    int length = 0;
    for (; length < 8 && (key >> (8 * length) & 0xff) != 0; ++length)
        name[length] = char(key >> (8 * length));
    return QString::fromLatin1(name, length);
}

qsizetype WadDirectory::find(quint64 key, qsizetype from) const {
    for (qsizetype i = std::max<qsizetype>(from, 0); i < lumps.size(); ++i)
        if (lumps[i].key == key)
            return i;
    return -1;
}

std::optional<WadDirectory> read_wad_directory(QIODevice &device) {
    if (!device.isReadable() || device.isSequential())
        return std::nullopt;
    const qint64 size = device.size();
    char header[header_size];
    if (size < header_size || !read_at(device, 0, header, header_size))
        return std::nullopt;
    WadDirectory directory;
    directory.device_size = size;
    if (std::memcmp(header, "IWAD", 4) == 0)
        directory.iwad = true;
    else if (std::memcmp(header, "PWAD", 4) != 0)
        return std::nullopt;
    const qint64 count = int32_at(header + 4);
    const qint64 offset = int32_at(header + 8);
    // Both are below 2^31, so the end of the directory cannot overflow.
    if (count <= 0 || offset < 0 || offset + count * entry_size > size)
        return std::nullopt;

    const qint64 entries = std::min(count, wad_entries_read);
    QByteArray bytes(entries * entry_size, Qt::Uninitialized);
    if (!read_at(device, offset, bytes.data(), bytes.size()))
        return std::nullopt;
    directory.lumps.resize(entries);
    for (qint64 i = 0; i < entries; ++i) {
        const char *entry = bytes.constData() + i * entry_size;
        Lump &lump = directory.lumps[i];
        lump.offset = int32_at(entry);
        lump.size = int32_at(entry + 4);
        for (int c = 0; c < 8 && entry[8 + c] != '\0'; ++c) {
            const char ch = entry[8 + c];
            lump.key |= quint64(quint8(ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch)) << (8 * c);
        }
    }
    return directory;
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

std::optional<QByteArray> read_lump(QIODevice &device, const Lump &lump, qint64 cap) {
    if (lump.offset < 0 || lump.size < 0 || lump.size > cap ||
        lump.offset + lump.size > device.size())
        return std::nullopt;
    QByteArray bytes(lump.size, Qt::Uninitialized);
    if (lump.size > 0 && !read_at(device, lump.offset, bytes.data(), lump.size))
        return std::nullopt;
    return bytes;
}

} // namespace brx
