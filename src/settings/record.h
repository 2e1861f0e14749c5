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

// Reads the values in file order into the settings, stopping after the seventh: whatever
// follows is never read. Returns how many values were read; fewer than seven means the
// data ended early and the remaining fields keep what they held.
int read_record(QIODevice &in, Settings &settings);

// The record as written to the file. A value with a comma, or with blanks at its start or
// end, is put in double quotes so that it reads back as it was.
QByteArray write_record(const Settings &settings);

// A number as the launcher writes numbers, in the file, on the command line and on the main
// window: a blank stands in the sign place of a non-negative number (" 2", "-1").
QString number_text(qint64 number);

// A value holding a double quote or a line break cannot be stored in the file.
bool storable(const QString &value);

} // namespace brx
