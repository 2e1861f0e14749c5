// Feeds arbitrary bytes to the IWAD kind reader and the map finder as a WAD file. Neither may
// crash, hang or read past the bytes it was given, and each must agree with a plain scan: the
// kind is Doom II exactly when a directory within the bytes names MAP01 among its first entries
// read, Doom when it names E1M1 and no MAP01 there; the maps are the markers the plain walk of
// the names finds (a marker followed by a map lump, or by TEXTMAP and later ENDMAP, while a
// text map without its ENDMAP stops text maps from there on), in map order, each once; the
// lumps named UMAPINFO or DEHACKED are found, all of them, in directory order.
#include "map_names.h"
#include "wad_kind.h"

#include <QBuffer>
#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

using brx::WadKind;

namespace {

// Counts what the reader takes, and refuses reads past the end.
class Watched : public QBuffer {
public:
    explicit Watched(QByteArray *bytes) : QBuffer(bytes) {}
    qint64 taken = 0;

protected:
    qint64 readData(char *data, qint64 length) override {
        if (pos() + length > size())
            std::abort();
        taken += length;
        return QBuffer::readData(data, length);
    }
};

std::int64_t int32_at(const std::uint8_t *b) {
    return std::int32_t(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                        std::uint32_t(b[3]) << 24);
}

std::string upper_name(const std::uint8_t *lump) {
    std::string upper;
    for (int i = 0; i < 8 && lump[i] != 0; ++i)
        upper += char(lump[i] >= 'a' && lump[i] <= 'z' ? lump[i] - 'a' + 'A' : lump[i]);
    return upper;
}

bool named(const std::uint8_t *lump, const char *name) {
    return upper_name(lump) == name;
}

bool map_lump(const std::string &name) {
    for (const char *lump : {"THINGS", "LINEDEFS", "SIDEDEFS", "VERTEXES", "SEGS", "SSECTORS",
                             "NODES", "SECTORS", "REJECT", "BLOCKMAP", "BEHAVIOR", "LIGHTMAP"})
        if (name == lump)
            return true;
    return false;
}

// The maps among these names, as a plain walk finds them.
std::set<std::string> plain_maps(const std::vector<std::string> &names) {
    std::set<std::string> maps;
    bool endmap_after = true;
    for (std::size_t i = 0; i + 1 < names.size(); ++i) {
        const std::string &marker = names[i];
        if (marker.empty() || map_lump(marker) || marker == "TEXTMAP" || marker == "ENDMAP")
            continue;
        std::size_t end = i + 1;
        if (names[end] == "TEXTMAP") {
            if (!endmap_after)
                continue;
            while (++end < names.size() && names[end] != "ENDMAP") {
            }
            if (end == names.size()) {
                endmap_after = false;
                continue;
            }
        } else if (!map_lump(names[end])) {
            continue;
        }
        maps.insert(marker);
        i = end;
    }
    return maps;
}

WadKind plain_scan(const std::uint8_t *data, std::size_t size) {
    if (size < 12 || (std::memcmp(data, "IWAD", 4) != 0 && std::memcmp(data, "PWAD", 4) != 0))
        return WadKind::unknown;
    const std::int64_t count = int32_at(data + 4), offset = int32_at(data + 8);
    if (count <= 0 || offset < 0 || offset + count * 16 > std::int64_t(size))
        return WadKind::unknown;
    bool doom = false;
    for (std::int64_t i = 0; i < std::min<std::int64_t>(count, brx::wad_entries_read); ++i) {
        const std::uint8_t *name = data + offset + i * 16 + 8;
        if (named(name, "MAP01"))
            return WadKind::doom2;
        doom = doom || named(name, "E1M1");
    }
    return doom ? WadKind::doom : WadKind::unknown;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Watched device(&bytes);
    device.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    const WadKind kind = brx::wad_kind(device);
    if (kind != plain_scan(data, size))
        std::abort();
    // The header and the directory, at most.
    if (device.taken > 12 + std::min<qint64>(brx::wad_entries_read * 16, qint64(size)))
        std::abort();

    device.seek(0);
    const std::optional<brx::WadDirectory> directory = brx::read_wad_directory(device);
    if (!directory)
        return 0;
    std::vector<std::string> names;
    std::vector<qsizetype> text_lumps;
    for (qsizetype i = 0; i < directory->size(); ++i) {
        names.push_back(upper_name(
            reinterpret_cast<const std::uint8_t *>(directory->entries.constData() + i * 16 + 8)));
        if (names.back() == "UMAPINFO" || names.back() == "DEHACKED")
            text_lumps.push_back(i);
    }
    const quint64 wanted[] = {brx::lump_key("UMAPINFO"), brx::lump_key("DEHACKED")};
    QList<qsizetype> named_found;
    const QStringList maps = brx::wad_maps(*directory, wanted, &named_found);
    std::set<std::string> found;
    for (qsizetype i = 0; i < maps.size(); ++i) {
        if (i > 0 && !brx::map_order_less(maps[i - 1], maps[i]))
            std::abort(); // out of order, or twice
        found.insert(maps[i].toLatin1().toStdString());
    }
    if (found != plain_maps(names) ||
        std::vector<qsizetype>(named_found.begin(), named_found.end()) != text_lumps)
        std::abort();
    return 0;
}
