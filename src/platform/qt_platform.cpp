#include "qt_platform.h"

#include "file_dialog.h"
#include "help_viewer.h"
#include "program_start.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMessageBox>

namespace brx {

void QtPlatform::show_modal(QDialog &window) {
    window.exec();
}

void QtPlatform::end_modal(QDialog &window) {
    window.done(QDialog::Rejected);
}

void QtPlatform::end_program() {
    QCoreApplication::exit(0);
}

void QtPlatform::message_box(const QString &prompt, const QString &title) {
    QMessageBox box(QMessageBox::NoIcon, title.isEmpty() ? QStringLiteral("BRX") : title,
                    // Line breaks arrive as LF CR; the CR would show as a stray glyph.
                    QString(prompt).replace(QStringLiteral("\n\r"), QStringLiteral("\n")),
                    QMessageBox::Ok,
                    QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                      : QApplication::activeWindow());
    box.exec();
}

std::optional<FileChoice> QtPlatform::open_file(const FileRequest &request) {
    return run_file_dialog(request, QApplication::activeModalWidget());
}

QString QtPlatform::program_folder() const {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString QtPlatform::user_config_folder() const {
#ifdef Q_OS_WIN
    // The roaming application data, as %APPDATA% names it.
    const QString base = qEnvironmentVariable("APPDATA");
    const QString name = QStringLiteral("Brixmoor");
#else
    // $XDG_CONFIG_HOME, or ~/.config when it is unset or not an absolute path (a relative one
    // would follow the current folder, which a launch changes).
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(base))
        base = QDir(QDir::homePath()).filePath(QStringLiteral(".config"));
    const QString name = QStringLiteral("brixmoor");
#endif
    if (!QDir::isAbsolutePath(base))
        return {};
    return QDir::toNativeSeparators(QDir(base).filePath(name));
}

Version QtPlatform::version() const {
    return {BRX_VERSION_MAJOR, BRX_VERSION_MINOR, BRX_VERSION_PATCH};
}

bool QtPlatform::set_current_dir(const QString &path) {
    return QDir::setCurrent(path);
}

int QtPlatform::start_program(const QString &command_line) {
#ifndef Q_OS_WIN
    if (command_line == u"hh.exe BRX.chm")
        return open_help(program_folder());
#endif
    return brx::start_program(command_line);
}

} // namespace brx
