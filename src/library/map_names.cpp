#include "map_names.h"

#include <algorithm>
#include <cstring>

namespace brx {

namespace {

// The lumps a binary-format map is made of (BEHAVIOR: Hexen's format).
bool map_lump(const Lump &lump) {
    static const char *const names[] = {"THINGS", "LINEDEFS", "SIDEDEFS", "VERTEXES",
                                        "SEGS",   "SSECTORS", "NODES",    "SECTORS",
                                        "REJECT", "BLOCKMAP", "BEHAVIOR", "LIGHTMAP"};
    for (const char *name : names)
        if (std::strcmp(lump.name, name) == 0)
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

bool map_before(const QString &a, const QString &b) {
    const MapName x = classify_map(a), y = classify_map(b);
    if (x.kind != y.kind)
        return x.kind < y.kind;
    if (x.kind == MapName::named || (x.episode == y.episode && x.number == y.number))
        return a.compare(b, Qt::CaseInsensitive) < 0;
    return x.episode != y.episode ? x.episode < y.episode : x.number < y.number;
}

QStringList wad_maps(const WadDirectory &directory) {
    QStringList maps;
    const QList<Lump> &lumps = directory.lumps;
    bool endmap_after = true; // till a search for ENDMAP found none
    for (qsizetype i = 0; i + 1 < lumps.size(); ++i) {
        const Lump &marker = lumps[i];
        if (marker.name[0] == '\0' || map_lump(marker) || marker.is("TEXTMAP") ||
            marker.is("ENDMAP"))
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
    std::sort(maps.begin(), maps.end(), map_before);
    maps.erase(std::unique(maps.begin(), maps.end()), maps.end());
    return maps;
}

} // namespace brx
