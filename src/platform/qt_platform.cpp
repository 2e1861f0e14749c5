#include "qt_platform.h"

#include "file_dialog.h"
#include "help_viewer.h"
#include "program_start.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>
#include <memory>
#include <mutex>

#ifdef Q_OS_UNIX
#include <cstring>
#endif

namespace brx {

namespace {

// A program's end as its waiting thread saw it, handed over to the interface thread.
struct EndSeen {
    std::mutex mutex;
    std::optional<ProgramEnd> end;
};

QString how_it_ended(const ProgramEnd &end) {
    if (!end.signalled) {
        // Windows ends a crashed program with its exception code as status.
        if (quint32(end.status) >= 0xC0000000u)
            return QStringLiteral("exit status 0x%1").arg(quint32(end.status), 8, 16, QChar(u'0'));
        return QStringLiteral("exit status %1").arg(end.status);
    }
#ifdef Q_OS_UNIX
    return QStringLiteral("signal %1, %2")
        .arg(end.status)
        .arg(QString::fromLocal8Bit(::strsignal(end.status)));
#else
    return QStringLiteral("signal %1").arg(end.status);
#endif
}

// Looks on the interface thread, a few times a second, whether the program has ended, until
// it has or its first seconds are over. The launcher never waits for it.
void watch_early_end(std::shared_ptr<EndSeen> seen, std::function<void(const QString &)> failed) {
    auto *timer = new QTimer(QCoreApplication::instance());
    QElapsedTimer clock;
    clock.start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, seen, failed] {
        std::optional<ProgramEnd> end;
        {
            const std::lock_guard<std::mutex> lock(seen->mutex);
            end = seen->end;
        }
        if (!end && clock.elapsed() < (early_end_seconds + 1) * 1000)
            return;
        timer->stop();
        timer->deleteLater();
        if (end && end->seconds <= early_end_seconds && (end->signalled || end->status != 0))
            failed(how_it_ended(*end));
    });
    timer->start(100);
}

} // namespace

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
    const std::optional<FilesChoice> choice =
        run_file_dialog(request, QApplication::activeModalWidget(), Choose::one);
    if (!choice)
        return std::nullopt;
    return FileChoice{choice->paths.constFirst(), choice->filter};
}

std::optional<FilesChoice> QtPlatform::open_files(const FileRequest &request) {
    return run_file_dialog(request, QApplication::activeModalWidget(), Choose::several);
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

QString QtPlatform::state_folder() const {
#ifdef Q_OS_WIN
    // %LOCALAPPDATA%
    return QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Brixmoor");
#else
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(state + QStringLiteral("/brixmoor"));
#endif
}

bool QtPlatform::set_current_dir(const QString &path) {
    return QDir::setCurrent(path);
}

int QtPlatform::start_program(const QString &command_line, const StartWatch &watch) {
#ifndef Q_OS_WIN
    if (command_line == u"hh.exe BRX.chm")
        return open_help(program_folder());
#endif
    if (!watch.failed_early)
        return brx::start_program(command_line, {watch.log.toStdU16String(), {}});
    auto seen = std::make_shared<EndSeen>();
    const int error = brx::start_program(
        command_line, {watch.log.toStdU16String(), [seen](const ProgramEnd &end) {
                           const std::lock_guard<std::mutex> lock(seen->mutex);
                           seen->end = end;
                       }});
    if (error == 0)
        watch_early_end(seen, watch.failed_early);
    return error;
}

} // namespace brx
