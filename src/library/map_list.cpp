#include "map_list.h"

#include "archive.h"
#include "map_info.h"
#include "map_names.h"
#include "stock_titles.h"

#include <QHash>

#include <algorithm>

namespace brx {

namespace {

// What one file brings to the list.
struct FileContents {
    QString path;
    QStringList maps;
    QList<QPair<QString, QByteArray>> lumps; // the text lumps that name maps, in file order
    std::optional<Identity> identity;        // for a WAD
};

constexpr quint64 text_lumps[] = {lump_key("UMAPINFO"), lump_key("ZMAPINFO"), lump_key("MAPINFO"),
                                  lump_key("LANGUAGE"), lump_key("DEHACKED")};

// The file's maps and text lumps; its identity too when it is the IWAD.
FileContents read_contents(const QString &path, bool iwad) {
    FileContents contents{path, {}, {}, std::nullopt};
    RegularFile file;
    if (!file.open(path))
        return contents;
    const qint64 size = file.size();
    char start[12];
    const QByteArrayView header(start, std::min<qint64>(size, sizeof start));
    if (!file.read_at(0, start, header.size()))
        return contents;
    if (looks_like_zip(header)) {
        file.close();
        const ArchiveContents archive = read_archive(path);
        contents.maps = archive.maps;
        sort_maps(contents.maps);
        contents.lumps = archive.lumps;
        return contents;
    }
    if (const std::optional<WadDirectory> directory = read_wad_directory(file, header)) {
        if (iwad)
            contents.identity = identify_wad(*directory);
        QList<qsizetype> named;
        contents.maps = wad_maps(*directory, text_lumps, &named);
        for (const qsizetype i : named) {
            const Lump lump = directory->lump(i);
            if (const std::optional<QByteArray> bytes = read_lump(file, lump, wad_text_cap))
                contents.lumps.append({lump.text(), *bytes});
        }
        return contents;
    }
    // Anything else may be a DEHACKED patch; a file that is none has no strings to give.
    if (size > wad_text_cap)
        return contents;
    QByteArray bytes(size, Qt::Uninitialized);
    if (file.read_at(0, bytes.data(), size))
        contents.lumps.append({QStringLiteral("DEHACKED"), bytes});
    return contents;
}

// The titles each source gives, gathered over the files in load order.
struct Titles {
    QHash<QString, QString> umapinfo, mapinfo;
    QHash<QString, QString> mapinfo_lookup; // map -> LANGUAGE key, where the title is looked up
    Language language;
    Dehacked dehacked;

    void add(const FileContents &contents) {
        const bool zmapinfo =
            std::any_of(contents.lumps.begin(), contents.lumps.end(),
                        [](const auto &lump) { return lump.first == u"ZMAPINFO"; });
        for (const auto &[name, bytes] : contents.lumps) {
            if (name == u"UMAPINFO") {
                for (const UmapinfoMap &map : parse_umapinfo(bytes))
                    if (map.has_levelname)
                        umapinfo.insert(map.map, map.levelname);
            } else if (name == u"ZMAPINFO" || (name == u"MAPINFO" && !zmapinfo)) {
                // A WAD with a ZMAPINFO is read for that alone.
                for (const MapinfoMap &map : parse_mapinfo(bytes)) {
                    mapinfo.remove(map.map);
                    mapinfo_lookup.remove(map.map);
                    (map.lookup ? mapinfo_lookup : mapinfo).insert(map.map, map.title);
                }
            } else if (name == u"LANGUAGE") {
                parse_language(bytes, language);
            } else if (name == u"DEHACKED") {
                parse_dehacked(bytes, dehacked);
            }
        }
    }

    QString title(Game game, const QString &map) const {
        if (const auto found = umapinfo.constFind(map); found != umapinfo.cend())
            return *found;
        if (const auto found = mapinfo.constFind(map); found != mapinfo.cend())
            return *found;
        if (const auto found = mapinfo_lookup.constFind(map); found != mapinfo_lookup.cend()) {
            const QString text = language.lookup(*found);
            if (!text.isEmpty())
                return strip_map_prefix(text, map);
        }
        const QString key = dehacked.strings.isEmpty() && dehacked.texts.isEmpty()
                                ? QString()
                                : dehacked_title_key(game, map);
        if (!key.isEmpty()) {
            if (const auto found = dehacked.strings.constFind(key);
                found != dehacked.strings.cend())
                return strip_map_prefix(*found, map);
            // The last replacement of the original text wins.
            const QString original = original_title_text(game, map);
            for (auto it = dehacked.texts.crbegin();
                 !original.isEmpty() && it != dehacked.texts.crend(); ++it)
                if (it->first.compare(original, Qt::CaseInsensitive) == 0)
                    return strip_map_prefix(it->second, map);
        }
        return stock_title(game, map);
    }
};

} // namespace

MapList map_list(const QString &iwad, const QStringList &files) {
    MapList list;
    Titles titles;
    const FileContents iwad_contents = read_contents(iwad, true);
    if (iwad_contents.identity)
        list.iwad = *iwad_contents.identity;
    titles.add(iwad_contents);

    // Each map once, from the last file that holds it. One file's maps are in map order
    // already; the maps of several files are merged by name.
    QStringList external_maps;
    QString only_file; // the file all external maps come from, while one file has maps
    QHash<QString, QString> external;
    for (const QString &path : files) {
        const FileContents contents = read_contents(path, false);
        titles.add(contents);
        if (contents.maps.isEmpty())
            continue;
        if (external_maps.isEmpty() && external.isEmpty()) {
            external_maps = contents.maps;
            only_file = path;
            continue;
        }
        if (external.isEmpty())
            for (const QString &map : std::as_const(external_maps))
                external.insert(map, only_file);
        for (const QString &map : contents.maps)
            external.insert(map, path);
    }
    if (!external.isEmpty()) {
        external_maps = external.keys();
        sort_maps(external_maps);
    }
    list.maps.reserve(external_maps.size() + iwad_contents.maps.size());
    for (const QString &map : std::as_const(external_maps))
        list.maps.append({map, titles.title(list.iwad.game, map),
                          external.isEmpty() ? only_file : external.value(map)});
    list.iwad_first = list.maps.size();
    for (const QString &map : iwad_contents.maps)
        if (!std::binary_search(external_maps.cbegin(), external_maps.cend(), map, map_order_less))
            list.maps.append({map, titles.title(list.iwad.game, map), iwad});
    return list;
}

} // namespace brx
