// Small WADs made in memory for the library's tests: lumps with names and bytes.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QtEndian>

namespace brx {

using LumpBytes = QPair<QByteArray, QByteArray>; // name, bytes

inline QByteArray int32(qint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(value, bytes.data());
    return bytes;
}

// A WAD of these lumps, their bytes first and the directory after them.
inline QByteArray make_wad(const QByteArray &magic, const QList<LumpBytes> &lumps) {
    QByteArray data, directory;
    for (const auto &[name, bytes] : lumps) {
        directory += int32(qint32(12 + data.size())) + int32(qint32(bytes.size())) +
                     (name + QByteArray(8, '\0')).left(8);
        data += bytes;
    }
    return magic + int32(qint32(lumps.size())) + int32(qint32(12 + data.size())) + data + directory;
}

// A WAD of empty lumps with these names.
inline QByteArray make_wad(const QByteArray &magic, const QList<QByteArray> &names) {
    QList<LumpBytes> lumps;
    for (const QByteArray &name : names)
        lumps.append({name, {}});
    return make_wad(magic, lumps);
}

// A map's lumps in the binary format, after its marker.
inline QList<LumpBytes> binary_map(const QByteArray &marker) {
    return {{marker, {}},     {"THINGS", "t"},  {"LINEDEFS", "l"},
            {"SIDEDEFS", {}}, {"VERTEXES", {}}, {"SECTORS", {}}};
}

// A zip archive of these entries (name, bytes), compressed, made by libzip in a file first
// (where the tests have libzip).
QByteArray make_zip(const QList<LumpBytes> &entries);

} // namespace brx
