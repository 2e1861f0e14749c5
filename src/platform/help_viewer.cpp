#include "help_viewer.h"

#include "platform.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace brx {

int open_help(const QString &program_folder) {
    const QString page = QDir(program_folder).filePath(QStringLiteral("help/index.html"));
    if (!QFileInfo(page).isFile())
        return error_file_not_found;
    return QProcess::startDetached(QStringLiteral("xdg-open"), {page}) ? 0 : error_file_not_found;
}

} // namespace brx
