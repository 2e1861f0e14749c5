// A reader for Steam's text KeyValues files (libraryfolders.vdf): quoted or bare strings,
// braces for blocks, backslash escapes in quoted strings, `//` comments to the end of the line
// and `[$CONDITION]` tags, which it skips. It never fails: what it cannot make sense of it
// leaves out, and it reads each byte once.
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace brx {

// One value with the keys of the blocks around it, outermost first, and its own key last:
// {"libraryfolders", "0", "path"} = "/games".
struct KeyValue {
    QStringList keys;
    QString value;
};

// Blocks nested deeper than this are read but their values left out.
inline constexpr int key_values_depth = 32;

// Every value of the text, in order. The text is UTF-8.
QList<KeyValue> read_key_values(QByteArrayView text);

// The library folders a libraryfolders.vdf names: each block's "path" under
// "libraryfolders", and the older form's numbered values ("1" "/games").
QStringList steam_library_paths(QByteArrayView vdf);

} // namespace brx
