// Feeds arbitrary bytes to the archive reader as a .pk3. It must never crash, hang or run out of
// memory, and whatever it returns keeps the caps: no text lump longer than archive_text_cap.
#include "archive.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const brx::ArchiveContents contents = brx::read_archive_bytes(bytes);
    for (const auto &lump : contents.lumps)
        if (lump.second.size() > brx::archive_text_cap || lump.first.isEmpty())
            std::abort();
    for (const QString &map : contents.maps)
        if (map.isEmpty() || map.size() > 8 || map != map.toUpper())
            std::abort();
    return 0;
}
