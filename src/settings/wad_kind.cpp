#include "wad_kind.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <algorithm>
#include <array>
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
// Entries read at a time: 64 KiB.
constexpr qint64 block_entries = 4096;

qint32 int32_at(const char *bytes) {
    const auto *b = reinterpret_cast<const unsigned char *>(bytes);
    return qint32(quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24);
}

// Whether the 8-byte, NUL-padded lump name is `name` (upper case), in any letter case.
bool lump_is(const char *lump, const char *name) {
    const std::size_t length = std::strlen(name);
    for (std::size_t i = 0; i < 8; ++i) {
        const char c = lump[i];
        const char upper = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
        if (i == length)
            return c == '\0';
        if (upper != name[i])
            return false;
    }
    return length == 8;
}

// The bytes at `offset`, all of them or none.
bool read_at(QIODevice &device, qint64 offset, char *bytes, qint64 count) {
    return device.seek(offset) && device.read(bytes, count) == count;
}

} // namespace

WadKind wad_kind(QIODevice &device) {
    if (!device.isReadable() || device.isSequential())
        return WadKind::unknown;
    const qint64 size = device.size();
    std::array<char, header_size> header;
    if (size < header_size || !read_at(device, 0, header.data(), header_size) ||
        (std::memcmp(header.data(), "IWAD", 4) != 0 && std::memcmp(header.data(), "PWAD", 4) != 0))
        return WadKind::unknown;
    const qint64 count = int32_at(header.data() + 4);
    const qint64 offset = int32_at(header.data() + 8);
    // Both are below 2^31, so the end of the directory cannot overflow.
    if (count <= 0 || offset < 0 || offset + count * entry_size > size)
        return WadKind::unknown;

    bool doom = false;
    QByteArray block;
    const qint64 entries = std::min(count, wad_entries_read);
    for (qint64 first = 0; first < entries; first += block_entries) {
        const qint64 in_block = std::min(block_entries, entries - first);
        block.resize(in_block * entry_size);
        if (!read_at(device, offset + first * entry_size, block.data(), block.size()))
            return WadKind::unknown;
        for (qint64 i = 0; i < in_block; ++i) {
            const char *name = block.constData() + i * entry_size + 8;
            if (lump_is(name, "MAP01"))
                return WadKind::doom2;
            doom = doom || lump_is(name, "E1M1");
        }
    }
    return doom ? WadKind::doom : WadKind::unknown;
}

WadKind wad_kind(const QString &path) {
    if (path.isEmpty() || path.contains(QChar(0)))
        return WadKind::unknown;
    QFile file;
#ifdef Q_OS_UNIX
    // Opened without waiting, for a FIFO would wait for a writer; then only a regular file goes
    // on.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return WadKind::unknown;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle)) {
        ::close(fd);
        return WadKind::unknown;
    }
#else
    file.setFileName(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return WadKind::unknown;
#endif
    return wad_kind(file);
}

} // namespace brx
