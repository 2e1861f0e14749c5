// Feeds arbitrary bytes to the presets reader. It must never crash, hang or take memory beyond
// a small multiple of the input, and presets it reads must come back the same when written and
// read again: the written file reads whole, and writing that again gives the same bytes.
#include "presets.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    brx::Presets presets;
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    if (brx::read_presets(input, presets).kind != brx::PresetsFound::data)
        return 0;
    const QByteArray written = brx::write_presets(presets);
    brx::Presets back;
    if (brx::read_presets(written, back).kind != brx::PresetsFound::data ||
        back.presets.size() != presets.presets.size() || brx::write_presets(back) != written)
        std::abort();
    for (qsizetype i = 0; i < presets.presets.size(); ++i) {
        if (back.presets[i].name != presets.presets[i].name ||
            !(back.presets[i].game == presets.presets[i].game))
            std::abort();
    }
    return 0;
}
