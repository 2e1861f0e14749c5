// Feeds arbitrary bytes to the IWAD kind reader as a WAD file. It must never crash, hang or
// read past the bytes it was given, and its answer must agree with a plain scan: the kind is
// Doom II exactly when a directory within the bytes names MAP01 among its first entries read,
// Doom when it names E1M1 and no MAP01 there.
#include "wad_kind.h"

#include <QBuffer>
#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

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

bool named(const std::uint8_t *lump, const char *name) {
    char upper[9] = {};
    for (int i = 0; i < 8 && lump[i] != 0; ++i)
        upper[i] = char(std::toupper(lump[i]));
    return std::strcmp(upper, name) == 0;
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
    return 0;
}
