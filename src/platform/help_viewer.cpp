#include "help_viewer.h"

#include "platform.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace brx {

int open_help(const QString &program_folder) {
    // Beside the launcher in its portable folder; installed into the system (/usr/bin), in
    // the shared data folder beside bin (/usr/share/brixmoor).
    QString page;
    for (const char *place : {"help/index.html", "../share/brixmoor/help/index.html"}) {
        page = QDir::cleanPath(QDir(program_folder).filePath(QString::fromLatin1(place)));
        if (QFileInfo(page).isFile())
            break;
        page.clear();
    }
    if (page.isEmpty())
        return error_file_not_found;
    return QProcess::startDetached(QStringLiteral("xdg-open"), {page}) ? 0 : error_file_not_found;
}

} // namespace brx
