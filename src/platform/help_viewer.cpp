#include "help_viewer.h"

#include <QDir>
#include <QFileInfo>

namespace brx {

HelpStart open_windows_help(const QString &file, const HelpStarter &start) {
    const QString viewer = QStringLiteral("hh.exe");
    const int error = start({viewer, file}, viewer + u' ' + file, {});
    if (error == error_file_not_found)
        return {error, QStringLiteral("Windows HTML Help could not be found")};
    return {error, {}};
}

HelpStart open_html_help(const QString &program_folder, const HelpStarter &start,
                         const std::function<void(const QString &)> &tell) {
    // Beside the launcher in its portable folder; installed into the system (/usr/bin), in
    // the shared data folder beside bin (/usr/share/brixmoor).
    QStringList places;
    for (const char *place : {"help/index.html", "../share/brixmoor/help/index.html"})
        places << QDir::cleanPath(QDir(program_folder).filePath(QString::fromLatin1(place)));
    QString page;
    for (const QString &place : places) {
        if (QFileInfo(place).isFile()) {
            page = place;
            break;
        }
    }
    if (page.isEmpty())
        return {error_file_not_found, QStringLiteral("The help is missing: there is no %1, nor %2.")
                                          .arg(QDir::toNativeSeparators(places.first()),
                                               QDir::toNativeSeparators(places.last()))};

    const QString viewer = QStringLiteral("xdg-open");
    StartWatch watch;
    // xdg-open ends with a failure at once when the desktop has no browser for the page.
    watch.failed_early = [tell, page](const QString &how, const QString &) {
        tell(QStringLiteral("No web browser opened the help, %1: xdg-open ended with %2.")
                 .arg(QDir::toNativeSeparators(page), how));
    };
    const int error = start({viewer, page}, viewer + u' ' + page, watch);
    if (error == error_file_not_found)
        return {error, QStringLiteral("The help cannot be opened: xdg-open is not installed "
                                      "(the package xdg-utils has it).")};
    if (error != 0)
        return {error, QStringLiteral("The help cannot be opened: xdg-open could not be "
                                      "started (error %1).")
                           .arg(error)};
    return {};
}

} // namespace brx
