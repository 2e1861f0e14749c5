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

struct Lump {
    char name[9] = {}; // upper case, up to the first NUL, NUL-terminated
    qint64 offset = 0;
    qint64 size = 0;

    // Whether the lump is called `upper` (an upper-case name).
    bool is(const char *upper) const;
    QString text() const { return QString::fromLatin1(name); }
};

struct WadDirectory {
    bool iwad = false; // "IWAD" rather than "PWAD"
    QList<Lump> lumps; // in directory order; the first wad_entries_read of them at most
    qint64 device_size = 0;

    // The index of the first lump called `upper` from `from` on, or -1.
    qsizetype find(const char *upper, qsizetype from = 0) const;
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
