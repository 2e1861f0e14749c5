// What a .pk3/.zip archive holds for the map list: its `maps/NAME.wad` entries and the text
// lumps that name maps at its top level (UMAPINFO, ZMAPINFO, MAPINFO, LANGUAGE, DEHACKED,
// with any extension). Read through libzip; an entry is read only up to a cap, so a zip bomb
// or a huge entry costs little. Without libzip (BRX_HAVE_LIBZIP unset) no archive is read.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace brx {

// The longest text lump read from an archive; a longer one is left out.
inline constexpr qint64 archive_text_cap = 4 << 20;

struct ArchiveContents {
    bool archive = false;                    // an archive libzip could open
    QStringList maps;                        // upper case, in entry order
    QList<QPair<QString, QByteArray>> lumps; // lump name (upper case), bytes; in entry order
};

// Whether the bytes begin as a zip archive does.
bool looks_like_zip(QByteArrayView first_bytes);

// The archive in this file: anything but a readable regular file is no archive, and opening
// never waits.
ArchiveContents read_archive(const QString &path);

// The same for an archive in memory (the fuzz target's way in).
ArchiveContents read_archive_bytes(const QByteArray &bytes);

// libzip turns every entry's DOS time into a time_t as it opens an archive, and with TZ unset
// the C library looks at /etc/localtime again for each one: a stat call per entry, most of the
// time an archive of many entries takes to open. With TZ naming that same file it is read
// once, and local time stays what it was. Sets TZ so when it is unset (on Linux); to be called
// at start-up, before any thread runs.
void read_time_zone_once();

} // namespace brx
