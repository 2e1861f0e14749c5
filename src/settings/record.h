// The settings record and its one-line text form in brx.cfg: seven comma-separated values,
// the two integers in print form (" 2 "), CR LF at the end.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class QIODevice;

namespace brx {

struct Settings {
    QString doom_exe;
    QString doom_iwad;
    QString vid_width;
    QString vid_height;
    QString snd_rate;
    qint16 card = 0;
    qint16 nomd2 = 0;

    bool operator==(const Settings &) const = default;
};

inline constexpr int record_values = 7;

// The longest value the file holds, in bytes: the reader keeps no more of a value and a save
// refuses a longer one, so that whatever is saved reads back whole. Far past any real path
// (32767 characters at most, even on Windows), yet a damaged file cannot make the reader hold
// more than this per value.
inline constexpr qsizetype longest_value = 128 * 1024;

// Reads the values in file order into the settings, in blocks, stopping after the seventh:
// what follows is not read beyond the block that holds the record's end. Returns how many
// values were read, fewer than seven when the data ended early (the remaining fields keep
// what they held), or -1 when the device failed; the values read before that stay.
int read_record(QIODevice &in, Settings &settings);

// The record as written to the file. A value with a comma, or with blanks at its start or
// end, is put in double quotes so that it reads back as it was.
QByteArray write_record(const Settings &settings);

// Why the file cannot store the value (a double quote, a line break, or more bytes than
// longest_value), or an empty text when it can.
QString unstorable(const QString &value);

} // namespace brx
