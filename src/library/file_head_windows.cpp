#include "file_head.h"

#include <QFile>

namespace brx {

QByteArray file_head(const QString &path, qint64 size) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ? file.read(size) : QByteArray();
}

} // namespace brx
