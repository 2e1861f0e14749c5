#include "file_head.h"

#include <QDirIterator>
#include <QFile>

#include <algorithm>

namespace brx {

QByteArray file_head(const QString &path, qint64 size) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ? file.read(size) : QByteArray();
}

QStringList files_starting_with(const QString &folder, QByteArrayView magic,
                                const QStringList &suffixes) {
    QStringList names;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = it.fileName();
        const bool named = std::any_of(suffixes.cbegin(), suffixes.cend(), [&](const QString &s) {
            return name.endsWith(s, Qt::CaseInsensitive);
        });
        if (named || file_head(path, magic.size()) == magic)
            names.append(name);
    }
    return names;
}

} // namespace brx
