// The external WAD box's text as a list of files, and back. The box holds paths separated by
// blanks, each after a blank, as the chooser builds it. A path with blanks in it stands in the
// box as it is: read back, a run of pieces that together name an existing file, where the
// first piece alone names none, is one file again, as the launch reads the box.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace brx {

enum class Found { nothing, file, folder };
using FindPath = std::function<Found(const QString &path)>;

// What the path names on disk, relative to the current folder.
Found find_path(const QString &path);

// The files the text names, in order.
QStringList wad_files(const QString &text, const FindPath &find = find_path);
// The text of a list of files: each file after one blank.
QString wad_text(const QStringList &files);

} // namespace brx
