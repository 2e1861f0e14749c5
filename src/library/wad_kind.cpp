#include "wad_kind.h"

#include <QFile>

namespace brx {

WadKind wad_kind(const WadDirectory &directory) {
    bool doom = false; // an E1M1 so far
    for (qsizetype i = 0, count = directory.size(); i < count; ++i) {
        const quint64 key = directory.key(i);
        if (key == lump_key("MAP01"))
            return WadKind::doom2;
        doom = doom || key == lump_key("E1M1");
    }
    return doom ? WadKind::doom : WadKind::unknown;
}

WadKind wad_kind(QIODevice &device) {
    const std::optional<WadDirectory> directory = read_wad_directory(device);
    return directory ? wad_kind(*directory) : WadKind::unknown;
}

WadKind wad_kind(const QString &path) {
    QFile file;
    return open_regular_file(file, path) ? wad_kind(file) : WadKind::unknown;
}

} // namespace brx
