// Feeds arbitrary bytes to each parser of the text lumps that name maps: UMAPINFO, MAPINFO,
// LANGUAGE and DEHACKED. None may crash or hang; the maps they name are never empty, and each
// UMAPINFO map comes once.
#include "map_info.h"

#include <QSet>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    QSet<QString> seen;
    for (const brx::UmapinfoMap &map : brx::parse_umapinfo(text))
        if (map.map.isEmpty() || seen.contains(map.map))
            std::abort();
        else
            seen.insert(map.map);
    for (const brx::MapinfoMap &map : brx::parse_mapinfo(text)) {
        if (map.map.isEmpty())
            std::abort();
        brx::strip_map_prefix(map.title, map.map);
    }
    brx::Language language;
    brx::parse_language(text, language);
    brx::Dehacked dehacked;
    brx::parse_dehacked(text, dehacked);
    for (const auto &[old_text, new_text] : dehacked.texts)
        if (old_text.size() > qsizetype(size) || new_text.size() > qsizetype(size))
            std::abort();
    return 0;
}
