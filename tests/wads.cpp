#include "wads.h"

#include <QFile>
#include <QTemporaryDir>

#ifdef BRX_HAVE_LIBZIP
#include <zip.h>
#endif

namespace brx {

#ifdef BRX_HAVE_LIBZIP

QByteArray make_zip(const QList<LumpBytes> &entries) {
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("made.zip"));
    int error = 0;
    zip_t *zip = zip_open(path.constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        qFatal("cannot make a zip: %d", error);
    for (const auto &[name, bytes] : entries) {
        zip_source_t *source = zip_source_buffer(zip, bytes.constData(), bytes.size(), 0);
        if (!source || zip_file_add(zip, name.constData(), source, ZIP_FL_OVERWRITE) < 0)
            qFatal("cannot add %s to a zip", name.constData());
    }
    if (zip_close(zip) != 0)
        qFatal("cannot write a zip");
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
#endif

} // namespace brx
