#include "wad_list.h"

#include "command_line.h"
#include "command_split.h"

namespace brx {

QStringList wad_files(const QString &text) {
    QStringList files;
    for (const std::u16string &path : split_paths(text.toStdU16String(), file_lookup({})))
        files << QString::fromStdU16String(path);
    return files;
}

QString wad_text(const QStringList &files) {
    QString text;
    for (const QString &file : files)
        text += u' ' + file;
    return text;
}

} // namespace brx
