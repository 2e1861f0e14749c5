// A WAD's lump directory, read with every bound checked: the 12-byte header ("IWAD" or
// "PWAD", the lump count and the directory's offset, both 32-bit little-endian) and then the
// directory. Everything the library knows of a WAD starts here. QtCore alone.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtEndian>

#include <optional>

#ifndef Q_OS_UNIX
#include <QFile>
#endif

class QFile;
class QIODevice;

namespace brx {

// The most directory entries looked at: 65536 entries are one read of 1 MiB at most, and the
// maps of a real IWAD come within its first few hundred lumps.
inline constexpr qint64 wad_entries_read = 65536;

// A lump name's eight bytes as one number, NUL-padded: names compare as numbers.
constexpr quint64 lump_key(const char *upper) {
    quint64 key = 0;
    for (int i = 0; i < 8 && upper[i] != '\0'; ++i)
        key |= quint64(quint8(upper[i])) << (8 * i);
    return key;
}

// The lump_key of a directory entry's eight name bytes: upper case, up to the first NUL. Eight
// bytes at once: the bytes from the first NUL on are cleared, then each of a..z loses its 0x20.
inline quint64 name_key(const char *name) {
    constexpr quint64 ones = 0x0101010101010101, highs = 0x8080808080808080;
    quint64 x = qFromLittleEndian<quint64>(name);
    const quint64 nul = (x - ones) & ~x & highs; // its lowest bit marks the first NUL exactly
    x &= ((nul & (0 - nul)) >> 7) - 1;
    const quint64 low7 = x & ~highs;
    const quint64 from_a = low7 + ones * (0x80 - 'a'), past_z = low7 + ones * (0x80 - 'z' - 1);
    return x ^ ((from_a & ~past_z & ~x & highs) >> 2);
}

struct Lump {
    quint64 key = 0; // the name, upper case, up to its first NUL, as its lump_key
    qint32 offset = 0;
    qint32 size = 0;

    // Whether the lump is called `upper` (an upper-case name).
    bool is(const char *upper) const { return key == lump_key(upper); }
    // The name.
    QString text() const;
};

// The name a lump_key stands for.
QString key_text(quint64 key);

// The directory is kept as read, 16 bytes an entry (offset, size, name), and looked at in place:
// nothing is made per lump.
struct WadDirectory {
    static constexpr qsizetype entry_size = 16;

    bool iwad = false;  // "IWAD" rather than "PWAD"
    QByteArray entries; // in directory order; the first wad_entries_read of them at most
    qint64 device_size = 0;

    qsizetype size() const { return entries.size() / entry_size; }
    // The name of lump `i` (0 <= i < size()) as its lump_key.
    quint64 key(qsizetype i) const { return name_key(entries.constData() + i * entry_size + 8); }
    Lump lump(qsizetype i) const;

    // The index of the first lump called `upper` from `from` on, or -1.
    qsizetype find(quint64 key, qsizetype from = 0) const;
    qsizetype find(const char *upper, qsizetype from = 0) const {
        return find(lump_key(upper), from);
    }
    bool has(const char *upper) const { return find(upper) >= 0; }
};

// A regular file open for reading at any offset, with its size as it was opened: on POSIX a
// plain descriptor read with pread (no buffer, no seeking, no further stat calls), elsewhere a
// QFile. Opening never waits, and anything but a regular file fails to open.
class RegularFile {
public:
    RegularFile() = default;
    RegularFile(const RegularFile &) = delete;
    RegularFile &operator=(const RegularFile &) = delete;
    ~RegularFile();

    bool open(const QString &path);
    void close();
    qint64 size() const { return size_; }
    // The `count` bytes at `offset`, all of them or none.
    bool read_at(qint64 offset, char *bytes, qint64 count);

private:
#ifdef Q_OS_UNIX
    int fd_ = -1;
#else
    QFile file_;
#endif
    qint64 size_ = 0;
};

// The directory of a WAD on a random-access device open for reading. Nothing when the magic
// is neither "IWAD" nor "PWAD", the count or offset is below zero, there are no lumps, the
// whole directory (every entry the count claims) does not lie within the device, or a read
// comes up short. Only the first wad_entries_read entries are read; a lump's own bounds are
// checked when it is read.
std::optional<WadDirectory> read_wad_directory(QIODevice &device);

// The same for a file whose first bytes (12, or all the file has) the caller has read.
std::optional<WadDirectory> read_wad_directory(RegularFile &file, QByteArrayView header);

// Opens a regular file for reading; anything else (a folder, a link to nothing, a FIFO, a
// device) fails, and opening never waits.
bool open_regular_file(QFile &file, const QString &path);

// The lump's bytes, when the lump lies within the file and is at most `cap` bytes long.
std::optional<QByteArray> read_lump(RegularFile &file, const Lump &lump, qint64 cap);

} // namespace brx
