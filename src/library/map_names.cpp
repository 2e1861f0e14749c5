#include "map_names.h"

#include <algorithm>

namespace brx {

namespace {

// The lumps a binary-format map is made of (BEHAVIOR: Hexen's format).
bool map_lump(const Lump &lump) {
    static constexpr quint64 keys[] = {
        lump_key("THINGS"), lump_key("LINEDEFS"), lump_key("SIDEDEFS"), lump_key("VERTEXES"),
        lump_key("SEGS"),   lump_key("SSECTORS"), lump_key("NODES"),    lump_key("SECTORS"),
        lump_key("REJECT"), lump_key("BLOCKMAP"), lump_key("BEHAVIOR"), lump_key("LIGHTMAP")};
    for (const quint64 key : keys)
        if (lump.key == key)
            return true;
    return false;
}

// The number of 1 to 4 digits that makes up the whole of `digits`, or -1.
int small_number(QStringView digits) {
    if (digits.isEmpty() || digits.size() > 4)
        return -1;
    int value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

MapName classify_map(QStringView name) {
    if (name.startsWith(u"MAP", Qt::CaseInsensitive)) {
        const int number = small_number(name.mid(3));
        if (number >= 0)
            return {MapName::numbered, 0, number};
    } else if (name.size() >= 4 && (name[0] == u'E' || name[0] == u'e')) {
        const qsizetype m = name.indexOf(u'M', 1, Qt::CaseInsensitive);
        const int episode = m > 0 ? small_number(name.mid(1, m - 1)) : -1;
        const int map = m > 0 ? small_number(name.mid(m + 1)) : -1;
        if (episode >= 0 && map >= 0)
            return {MapName::episodic, episode, map};
    }
    return {};
}

void sort_maps(QStringList &maps) {
    struct Keyed {
        MapName name;
        quint64 order; // the first 8 characters, the first the most significant
        QString text;
        bool operator<(const Keyed &other) const {
            if (name.kind != other.name.kind)
                return name.kind < other.name.kind;
            if (name.episode != other.name.episode)
                return name.episode < other.name.episode;
            if (name.number != other.name.number)
                return name.number < other.name.number;
            return order != other.order ? order < other.order : text < other.text;
        }
    };
    QList<Keyed> keyed;
    keyed.reserve(maps.size());
    for (QString &map : maps) {
        quint64 order = 0;
        for (qsizetype i = 0; i < 8; ++i)
            order = order << 8 | (i < map.size() ? quint8(map[i].unicode()) : 0);
        keyed.append({classify_map(map), order, std::move(map)});
    }
    std::sort(keyed.begin(), keyed.end());
    maps.clear();
    for (Keyed &map : keyed)
        if (maps.isEmpty() || maps.last() != map.text)
            maps.append(std::move(map.text));
}

QStringList wad_maps(const WadDirectory &directory) {
    QStringList maps;
    const QList<Lump> &lumps = directory.lumps;
    bool endmap_after = true; // till a search for ENDMAP found none
    for (qsizetype i = 0; i + 1 < lumps.size(); ++i) {
        const Lump &marker = lumps[i];
        if (marker.key == 0 || map_lump(marker) || marker.is("TEXTMAP") || marker.is("ENDMAP"))
            continue;
        qsizetype end = i + 1;
        if (lumps[end].is("TEXTMAP")) {
            end = endmap_after ? directory.find("ENDMAP", end + 1) : -1;
            if (end < 0) {
                endmap_after = false; // no text map from here on ends
                continue;
            }
        } else if (!map_lump(lumps[end])) {
            continue;
        }
        maps.append(marker.text());
        i = end; // the lumps of a binary map are no markers, so need no skipping
    }
    sort_maps(maps);
    return maps;
}

} // namespace brx
