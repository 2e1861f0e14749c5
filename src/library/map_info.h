// The text lumps that name maps, each read on its own and forgiving: UMAPINFO, MAPINFO and
// ZMAPINFO, LANGUAGE and DEHACKED (with BEX's [STRINGS]). A parse error ends the reading of
// that lump and keeps what came before it; nothing here throws or reads past its bytes.
// QtCore alone.
#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

namespace brx {

// A UMAPINFO map entry: `MAP E1M1 { levelname = "..." label = "..." | clear }`.
struct UmapinfoMap {
    QString map; // upper case
    QString levelname;
    QString label;
    bool has_levelname = false;
};
QList<UmapinfoMap> parse_umapinfo(QByteArrayView text);

// A MAPINFO or ZMAPINFO map header: `map MAP01 "Title"`, `map MAP01 lookup "KEY"` or
// `map MAP01 "$KEY"`; the old `map 1 "x"` is MAP01.
struct MapinfoMap {
    QString map; // upper case
    QString title;
    bool lookup = false; // the title is a LANGUAGE key
};
QList<MapinfoMap> parse_mapinfo(QByteArrayView text);

// LANGUAGE strings of the languages an English player sees, best first: `*`, enu, en, default.
// Parsing one lump after another, a later lump's string replaces an earlier one of the same
// language.
struct Language {
    QHash<QString, QString> strings[4]; // keys upper case
    QString lookup(const QString &key) const;
};
void parse_language(QByteArrayView text, Language &language);

// DEHACKED strings: [STRINGS] `KEY = text` (keys upper case) and `Text` replacements of an
// old text by a new one.
struct Dehacked {
    QHash<QString, QString> strings;
    QList<QPair<QString, QString>> texts; // old, new
};
void parse_dehacked(QByteArrayView text, Dehacked &dehacked);

// The title without the level-number prefix a looked-up or DEHACKED title carries: the text
// after the first "E1M1: " for E1M1, after the first "7: " for MAP07 ("level 7: dead simple",
// "MAP07: Dead Simple"); else the whole text.
QString strip_map_prefix(const QString &title, const QString &map);

} // namespace brx
