// Feeds arbitrary bytes to the settings reader. It must never crash, hang or take memory
// beyond the input's size, no value it reads may be longer than the longest the file holds,
// and a record it reads completely must survive being written and read back unchanged.
#include "record.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

using brx::Settings;

static int read_from(QByteArray bytes, Settings &settings) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return brx::read_record(buffer, settings);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    Settings settings;
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const bool complete = read_from(input, settings) == brx::record_values;
    bool storable = true;
    for (const QString *text : {&settings.doom_exe, &settings.doom_iwad, &settings.vid_width,
                                &settings.vid_height, &settings.snd_rate}) {
        // Each byte read gives at most one UTF-16 unit.
        if (text->size() > brx::longest_value)
            std::abort();
        storable = storable && brx::unstorable(*text).isEmpty();
    }
    if (!complete || !storable)
        return 0;
    Settings back;
    if (read_from(brx::write_record(settings), back) != brx::record_values || !(back == settings))
        std::abort();
    return 0;
}
