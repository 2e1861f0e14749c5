// The first bytes of a file, read as cheaply as the system allows: the scan reads the header
// of every WAD in a collection of thousands. Never waits on a FIFO or a device.
#pragma once

#include <QByteArray>
#include <QString>

namespace brx {

// At most `size` bytes from the start of the file; nothing when it cannot be read.
QByteArray file_head(const QString &path, qint64 size);

} // namespace brx
