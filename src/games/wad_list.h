// The external WAD box's text as a list of files, and back. The box holds paths separated by
// blanks, each after a blank, as the chooser builds it. A path with blanks in it stands in the
// box as it is: read back, a run of pieces that names an existing file is one file again,
// exactly as the launch hands the box to the engine.
#pragma once

#include <QString>
#include <QStringList>

namespace brx {

// The files the text names, in order; relative paths from the current folder.
QStringList wad_files(const QString &text);
// The text of a list of files: each file after one blank.
QString wad_text(const QStringList &files);

} // namespace brx
