#include "archive.h"

#include "wad_directory.h"

#include <QFile>

#ifdef BRX_HAVE_LIBZIP
#include <zip.h>
#endif

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace brx {

void read_time_zone_once() {
#ifdef Q_OS_LINUX
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", ":/etc/localtime");
#endif
}

bool looks_like_zip(QByteArrayView first_bytes) {
    return first_bytes.startsWith("PK\x03\x04") || first_bytes.startsWith("PK\x05\x06");
}

#ifdef BRX_HAVE_LIBZIP

namespace {

constexpr const char *text_lumps[] = {"UMAPINFO", "ZMAPINFO", "MAPINFO", "LANGUAGE", "DEHACKED"};

bool same_letters(QByteArrayView bytes, QByteArrayView upper) {
    if (bytes.size() != upper.size())
        return false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if ((c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c) != upper[i])
            return false;
    }
    return true;
}

// The lump an entry at the archive's top level stands for: its name up to the first dot, when
// that is one of the lumps that name maps, letter case aside (an entry in a folder keeps its
// folder). Looks at the name's bytes as stored: the lump names are ASCII in any encoding.
const char *text_lump(QByteArrayView entry) {
    const qsizetype dot = entry.indexOf('.');
    const QByteArrayView stem = dot < 0 ? entry : entry.first(dot);
    for (const char *lump : text_lumps)
        if (same_letters(stem, lump))
            return lump;
    return nullptr;
}

// Whether a name as stored may be a `maps/NAME.wad` entry: ASCII affixes in any encoding.
bool may_be_map(QByteArrayView entry) {
    return entry.size() > 9 && same_letters(entry.first(5), "MAPS/") &&
           same_letters(entry.last(4), ".WAD");
}

// The map a `maps/NAME.wad` entry holds, upper case; empty for any other entry.
QString map_entry(const QString &entry) {
    if (!entry.startsWith(u"maps/", Qt::CaseInsensitive) ||
        !entry.endsWith(u".wad", Qt::CaseInsensitive))
        return {};
    const QString name = entry.mid(5, entry.size() - 9);
    if (name.isEmpty() || name.size() > 8 || name.contains(u'/'))
        return {};
    return name.toUpper();
}

// The entry's bytes, when it holds at most `cap` of them (whatever its header claims).
bool read_entry(zip_t *zip, zip_uint64_t index, QByteArray &bytes) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(zip, index, 0, &stat) != 0 ||
        ((stat.valid & ZIP_STAT_SIZE) && stat.size > zip_uint64_t(archive_text_cap)))
        return false;
    zip_file_t *file = zip_fopen_index(zip, index, 0);
    if (!file)
        return false;
    // Room for what the entry claims to hold (or the cap) and one byte more: an entry that
    // fills it is longer than it claims, or than the cap, and is left out.
    const qint64 room = ((stat.valid & ZIP_STAT_SIZE) ? qint64(stat.size) : archive_text_cap) + 1;
    bytes.resize(room);
    qint64 total = 0;
    while (total < room) {
        const zip_int64_t got = zip_fread(file, bytes.data() + total, room - total);
        if (got <= 0) {
            if (got < 0)
                total = -1;
            break;
        }
        total += got;
    }
    zip_fclose(file);
    if (total < 0 || total == room)
        return false;
    bytes.resize(total);
    return true;
}

ArchiveContents contents(zip_t *zip) {
    ArchiveContents found;
    found.archive = true;
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        // The name as stored first: most entries are neither maps nor text lumps, and need
        // no more.
        const char *raw = zip_get_name(zip, zip_uint64_t(i), ZIP_FL_ENC_RAW);
        if (!raw)
            continue;
        const QByteArrayView entry(raw);
        if (may_be_map(entry)) {
            const char *name = zip_get_name(zip, zip_uint64_t(i), 0);
            const QString map = name ? map_entry(QString::fromUtf8(name)) : QString();
            if (!map.isEmpty())
                found.maps.append(map);
            continue;
        }
        const char *lump = text_lump(entry);
        QByteArray bytes;
        if (lump && read_entry(zip, zip_uint64_t(i), bytes))
            found.lumps.append({QString::fromLatin1(lump), bytes});
    }
    zip_close(zip);
    return found;
}

} // namespace

ArchiveContents read_archive(const QString &path) {
    int error = 0;
#ifdef Q_OS_UNIX
    QFile file;
    if (!open_regular_file(file, path))
        return {};
    const int fd = ::dup(file.handle());
    zip_t *zip = fd < 0 ? nullptr : zip_fdopen(fd, 0, &error); // owns the copy once it opens
    if (!zip) {
        if (fd >= 0)
            ::close(fd);
        return {};
    }
#else
    zip_t *zip = zip_open(path.toUtf8().constData(), ZIP_RDONLY, &error);
    if (!zip)
        return {};
#endif
    return contents(zip);
}

ArchiveContents read_archive_bytes(const QByteArray &bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source =
        zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    zip_t *zip = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    zip_error_fini(&error);
    if (!zip) {
        if (source)
            zip_source_free(source);
        return {};
    }
    return contents(zip);
}

#else

ArchiveContents read_archive(const QString &) {
    return {};
}

ArchiveContents read_archive_bytes(const QByteArray &) {
    return {};
}

#endif

} // namespace brx
