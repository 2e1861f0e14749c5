#include "wad_kind.h"

#include <QFile>

namespace brx {

WadKind wad_kind(const WadDirectory &directory) {
    if (directory.has("MAP01"))
        return WadKind::doom2;
    return directory.has("E1M1") ? WadKind::doom : WadKind::unknown;
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
