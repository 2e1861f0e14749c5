// Reading brx.cfg, with nothing shown: what the read found is handed back, and the application
// tells the user. QtCore alone.
#pragma once

#include "record.h"

#include <QDateTime>

namespace brx {

struct SettingsFound {
    enum Kind {
        record,     // the file held a whole record
        missing,    // no plain file of that name: a first run
        damaged,    // the data ended before the seventh value
        unreadable, // the file could not be opened or read; reason says why
    };
    Kind kind = missing;
    QString path;
    QString reason;
    // A damaged file as it was read, to tell later whether it has changed since.
    qint64 size = -1;
    QDateTime modified;
    QByteArray digest;
};

// Reads the file into the settings, overwriting only what the file supplies. A missing file
// clears doom_exe and doom_iwad, a damaged one doom_iwad (what was read before the end stays);
// a file that cannot be read leaves what was read so far. On Windows a hidden file counts as
// missing.
SettingsFound read_settings_file(const QString &path, Settings &settings);

// Once the user has been told of a damaged file (and may have mended it meanwhile): reads it
// again into the settings. A file still damaged and unchanged since `found` (same size, time
// and bytes) is moved aside (see set_aside()) and found missing; any other file stays where it
// is, found as it is now.
SettingsFound settle_damaged(const SettingsFound &found, Settings &settings);

} // namespace brx
