// A WAD's lump directory, read with every bound checked: the 12-byte header ("IWAD" or
// "PWAD", the lump count and the directory's offset, both 32-bit little-endian) and then the
// directory. Everything the library knows of a WAD starts here. QtCore alone.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

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

struct Lump {
    quint64 key = 0; // the name, upper case, up to its first NUL, as its lump_key
    qint32 offset = 0;
    qint32 size = 0;

    // Whether the lump is called `upper` (an upper-case name).
    bool is(const char *upper) const { return key == lump_key(upper); }
    // The name.
    QString text() const;
};

struct WadDirectory {
    bool iwad = false; // "IWAD" rather than "PWAD"
    QList<Lump> lumps; // in directory order; the first wad_entries_read of them at most
    qint64 device_size = 0;

    // The index of the first lump called `upper` from `from` on, or -1.
    qsizetype find(quint64 key, qsizetype from = 0) const;
    qsizetype find(const char *upper, qsizetype from = 0) const {
        return find(lump_key(upper), from);
    }
    bool has(const char *upper) const { return find(upper) >= 0; }
};

// The directory of a WAD on a random-access device open for reading. Nothing when the magic
// is neither "IWAD" nor "PWAD", the count or offset is below zero, there are no lumps, the
// whole directory (every entry the count claims) does not lie within the device, or a read
// comes up short. Only the first wad_entries_read entries are read; a lump's own bounds are
// checked when it is read.
std::optional<WadDirectory> read_wad_directory(QIODevice &device);

// Opens a regular file for reading; anything else (a folder, a link to nothing, a FIFO, a
// device) fails, and opening never waits.
bool open_regular_file(QFile &file, const QString &path);

// The lump's bytes, when the lump lies within the device and is at most `cap` bytes long.
std::optional<QByteArray> read_lump(QIODevice &device, const Lump &lump, qint64 cap);

} // namespace brx
