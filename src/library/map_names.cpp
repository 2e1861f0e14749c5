#include "map_names.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace brx {

namespace {

constexpr quint64 textmap = lump_key("TEXTMAP"), endmap = lump_key("ENDMAP");

// The lumps a binary-format map is made of (BEHAVIOR: Hexen's format).
constexpr quint64 map_lumps[] = {lump_key("THINGS"),   lump_key("LINEDEFS"), lump_key("SIDEDEFS"),
                                 lump_key("VERTEXES"), lump_key("SEGS"),     lump_key("SSECTORS"),
                                 lump_key("NODES"),    lump_key("SECTORS"),  lump_key("REJECT"),
                                 lump_key("BLOCKMAP"), lump_key("BEHAVIOR"), lump_key("LIGHTMAP")};

inline bool map_lump(quint64 key) {
    switch (key) {
    case map_lumps[0]:
    case map_lumps[1]:
    case map_lumps[2]:
    case map_lumps[3]:
    case map_lumps[4]:
    case map_lumps[5]:
    case map_lumps[6]:
    case map_lumps[7]:
    case map_lumps[8]:
    case map_lumps[9]:
    case map_lumps[10]:
    case map_lumps[11]:
        return true;
    default:
        return false;
    }
}

// The first two bytes, as stored, that a lump name may begin with to be one of some names,
// letter case aside: one bit for each of the 65,536 pairs. Most lumps of a WAD (graphics,
// sounds) begin as none of the names a map is made of, and are passed over on these two bytes.
class FirstTwo {
public:
    void add(quint64 key) {
        const int first = int(key & 0xff), second = int(key >> 8 & 0xff);
        for (const int a : cases(first)) {
            if (first == 0) { // the empty name: anything may follow its NUL
                for (int b = 0; b < 256; ++b)
                    set(a | b << 8);
                continue;
            }
            for (const int b : cases(second))
                set(a | b << 8);
        }
    }
    bool may_be(const char *name) const {
        const quint16 pair = qFromLittleEndian<quint16>(name);
        return bits_[pair >> 6] >> (pair & 63) & 1;
    }

private:
    static std::array<int, 2> cases(int upper) {
        return {upper, upper >= 'A' && upper <= 'Z' ? upper - 'A' + 'a' : upper};
    }
    void set(int pair) { bits_[pair >> 6] |= quint64(1) << (pair & 63); }

    std::array<quint64, 1024> bits_{};
};

template <typename Char> int upper(Char c) {
    return c >= 'a' && c <= 'z' ? int(c) - 'a' + 'A' : int(c);
}

// The number of 1 to 4 digits that makes up the whole of name[from, to), or -1.
template <typename Char> int small_number(const Char *name, qsizetype from, qsizetype to) {
    if (to <= from || to - from > 4)
        return -1;
    int value = 0;
    for (qsizetype i = from; i < to; ++i) {
        if (name[i] < '0' || name[i] > '9')
            return -1;
        value = value * 10 + int(name[i] - '0');
    }
    return value;
}

template <typename Char> MapName classify(const Char *name, qsizetype size) {
    if (size >= 3 && upper(name[0]) == 'M' && upper(name[1]) == 'A' && upper(name[2]) == 'P') {
        const int number = small_number(name, 3, size);
        if (number >= 0)
            return {MapName::numbered, 0, number};
    } else if (size >= 4 && upper(name[0]) == 'E') {
        qsizetype m = 1;
        while (m < size && upper(name[m]) != 'M')
            ++m;
        const int episode = m < size ? small_number(name, 1, m) : -1;
        const int map = m < size ? small_number(name, m + 1, size) : -1;
        if (episode >= 0 && map >= 0)
            return {MapName::episodic, episode, map};
    }
    return {};
}

// A map's place in the list: ExMy by episode then map, then MAPxx by number, then named maps
// by name (the first 8 characters, the first the most significant, then the whole name).
struct Order {
    MapName name;
    quint64 first8;
    bool operator<(const Order &other) const {
        if (name.kind != other.name.kind)
            return name.kind < other.name.kind;
        if (name.episode != other.name.episode)
            return name.episode < other.name.episode;
        if (name.number != other.name.number)
            return name.number < other.name.number;
        return first8 < other.first8;
    }
};

Order order_of(QStringView map) {
    quint64 first8 = 0;
    for (qsizetype i = 0; i < 8; ++i)
        first8 = first8 << 8 | (i < map.size() ? quint8(map[i].unicode()) : 0);
    return {classify(map.utf16(), map.size()), first8};
}

} // namespace

MapName classify_map(QStringView name) {
    return classify(name.utf16(), name.size());
}

bool map_order_less(QStringView a, QStringView b) {
    const Order order_a = order_of(a), order_b = order_of(b);
    return order_a < order_b || (!(order_b < order_a) && a < b);
}

void sort_maps(QStringList &maps) {
    struct Keyed {
        Order order;
        QString text;
        bool operator<(const Keyed &other) const {
            return order < other.order || (!(other.order < order) && text < other.text);
        }
    };
    QList<Keyed> keyed;
    keyed.reserve(maps.size());
    for (QString &map : maps)
        keyed.append({order_of(map), std::move(map)});
    if (!std::is_sorted(keyed.begin(), keyed.end()))
        std::sort(keyed.begin(), keyed.end());
    maps.clear();
    for (Keyed &map : keyed)
        if (maps.isEmpty() || maps.last() != map.text)
            maps.append(std::move(map.text));
}

QStringList wad_maps(const WadDirectory &directory, std::span<const quint64> names,
                     QList<qsizetype> *named) {
    // One pass over the names in place; a map is kept as its marker's key and ordered as one,
    // so only a map costs an allocation, at the end.
    struct Keyed {
        Order order;
        quint64 key;
        bool operator<(const Keyed &other) const { return order < other.order; }
    };
    QList<Keyed> found;
    const auto add = [&found](quint64 marker) {
        char name[8];
        qsizetype size = 0;
        for (; size < 8 && (marker >> (8 * size) & 0xff) != 0; ++size)
            name[size] = char(marker >> (8 * size));
        found.append({{classify(name, size), qbswap(marker)}, marker});
    };
    FirstTwo looked_for;
    for (const quint64 key : map_lumps)
        looked_for.add(key);
    for (const quint64 key : {textmap, endmap})
        looked_for.add(key);
    for (const quint64 key : names)
        looked_for.add(key);
    const bool names_of_maps = std::any_of(names.begin(), names.end(), map_lump);
    const qsizetype count = directory.size();
    qsizetype text_map_at = -1; // the TEXTMAP of a text map whose ENDMAP is still to come
    const auto scan = [&](qsizetype from, bool text_maps, bool record) {
        qsizetype marker = -1;   // the lump before, when it may be a map's marker
        qsizetype text_map = -1; // the marker of a text map whose ENDMAP is still to come
        for (qsizetype i = from; i < count; ++i) {
            const char *name = directory.entries.constData() + i * WadDirectory::entry_size + 8;
            if (!looked_for.may_be(name)) {
                if (text_map < 0)
                    marker = name[0] != '\0' ? i : -1;
                continue;
            }
            const quint64 key = name_key(name);
            const bool part_of_map = map_lump(key);
            if (record && (!part_of_map || names_of_maps) &&
                std::find(names.begin(), names.end(), key) != names.end())
                named->append(i);
            if (text_map >= 0) {
                if (key == endmap) {
                    add(directory.key(text_map));
                    text_map = -1;
                }
                continue;
            }
            if (marker >= 0 && key == textmap && text_maps) {
                text_map = marker;
                text_map_at = i;
                marker = -1;
                continue;
            }
            if (marker >= 0 && part_of_map) {
                add(directory.key(marker));
                marker = -1;
                continue;
            }
            marker = key == 0 || part_of_map || key == textmap || key == endmap ? -1 : i;
        }
        return text_map < 0;
    };
    // A text map without its ENDMAP is no map, and no later one ends either: the lumps after
    // its TEXTMAP are looked at again for binary maps.
    if (!scan(0, true, named != nullptr))
        scan(text_map_at + 1, false, false);
    if (!std::is_sorted(found.begin(), found.end()))
        std::sort(found.begin(), found.end());
    QStringList maps;
    maps.reserve(found.size());
    for (qsizetype i = 0; i < found.size(); ++i)
        if (i == 0 || found[i].key != found[i - 1].key)
            maps.append(key_text(found[i].key));
    return maps;
}

} // namespace brx
