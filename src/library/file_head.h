// The first bytes of a file, read as cheaply as the system allows: the scan reads the header
// of every file in a collection of thousands. Never waits on a FIFO or a device.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace brx {

// At most `size` bytes from the start of the file; nothing when it cannot be read.
QByteArray file_head(const QString &path, qint64 size);

// The names of the folder's regular files (links followed) whose first bytes are `magic`,
// and of those whose names end with one of `suffixes` (in any case) whatever they hold, in no
// particular order. Each file is opened once and read no further than `magic`: nothing else
// is asked of the system per file than the folder's listing gives. A large folder is read on
// a few threads of the pool when they are free and the machine has more than two processors.
QStringList files_starting_with(const QString &folder, QByteArrayView magic,
                                const QStringList &suffixes = {});

} // namespace brx
