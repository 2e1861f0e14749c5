#include "qt_platform.h"

#include "file_dialog.h"
#include "help_viewer.h"
#include "program_start.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <memory>
#include <mutex>

#ifdef Q_OS_UNIX
#include <cstring>
#include <pwd.h>
#include <unistd.h>
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
void watch_early_end(std::shared_ptr<EndSeen> seen, const QString &log_problem,
                     std::function<void(const QString &, const QString &)> failed) {
    auto *timer = new QTimer(QCoreApplication::instance());
    QElapsedTimer clock;
    clock.start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, seen, log_problem, failed] {
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
            failed(how_it_ended(*end), log_problem);
    });
    timer->start(100);
}

#ifndef Q_OS_WIN
// $HOME, or when it is unset or not an absolute path, the user's home as the password
// database knows it.
QString home_folder() {
    const QString home = qEnvironmentVariable("HOME");
    if (QDir::isAbsolutePath(home))
        return home;
    const passwd *user = ::getpwuid(::getuid());
    return user && user->pw_dir ? QFile::decodeName(user->pw_dir) : QString();
}
#endif

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

namespace {

// A message box over the active window with the prompt as plain text, no wider than the screen.
int run_message(const QString &prompt, const QString &title, QMessageBox::StandardButtons buttons,
                QMessageBox::StandardButton default_button) {
    // Line breaks arrive as LF CR; the CR would show as a stray glyph.
    const QString text = QString(prompt).replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    QWidget *owner = QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                       : QApplication::activeWindow();
    QMessageBox box(QMessageBox::NoIcon, title.isEmpty() ? QStringLiteral("BRX") : title, {},
                    buttons, owner);
    box.setDefaultButton(default_button);
    // Names and log lines are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // No wider than the screen: a word (a path) too long for it is elided in the middle, and
    // the full text stays at hand, to select and copy, under "Show Details...".
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const int widest = screen ? screen->availableGeometry().width() / 2 : 600;
    const QFontMetrics metrics(box.font());
    QStringList lines = text.split(u'\n');
    for (QString &line : lines) {
        QStringList words = line.split(u' ');
        for (QString &word : words)
            word = metrics.elidedText(word, Qt::ElideMiddle, widest);
        line = words.join(u' ');
    }
    const QString shown = lines.join(u'\n');
    box.setText(shown);
    if (shown != text)
        box.setDetailedText(text);
    return box.exec();
}

} // namespace

void QtPlatform::message_box(const QString &prompt, const QString &title) {
    run_message(prompt, title, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtPlatform::ask_yes_no(const QString &prompt, const QString &title) {
    return run_message(prompt, title, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
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

std::optional<QString> QtPlatform::ask_text(const QString &prompt, const QString &title,
                                            const QString &initial) {
    bool confirmed = false;
    const QString text =
        QInputDialog::getText(QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                                : QApplication::activeWindow(),
                              title.isEmpty() ? QStringLiteral("BRX") : title, prompt,
                              QLineEdit::Normal, initial, &confirmed);
    if (!confirmed)
        return std::nullopt;
    return text;
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
        base = home_folder().isEmpty() ? QString() : home_folder() + QStringLiteral("/.config");
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
        state = home_folder() + QStringLiteral("/.local/state");
    return QDir::cleanPath(state + QStringLiteral("/brixmoor"));
#endif
}

bool QtPlatform::set_current_dir(const QString &path) {
    return QDir::setCurrent(path);
}

int QtPlatform::start_program(const QStringList &arguments, const QString &command_line,
                              const StartWatch &watch) {
    const ProgramCall call = program_call(arguments, command_line);
    std::u16string log_problem;
    StartOptions options{watch.log.toStdU16String(), {}, &log_problem};
    auto seen = std::make_shared<EndSeen>();
    if (watch.failed_early) {
        options.ended = [seen](const ProgramEnd &end) {
            const std::lock_guard<std::mutex> lock(seen->mutex);
            seen->end = end;
        };
    }
    const int error = brx::start_program(call, options);
    if (error == 0 && watch.failed_early)
        watch_early_end(seen, QString::fromStdU16String(log_problem), watch.failed_early);
    return error;
}

HelpStart QtPlatform::open_help(const QString &file) {
    const auto start = [this](const QStringList &arguments, const QString &command_line,
                              const StartWatch &watch) {
        return start_program(arguments, command_line, watch);
    };
#ifdef Q_OS_WIN
    return open_windows_help(file, start);
#else
    // The pages the help file is made from.
    Q_UNUSED(file);
    return open_html_help(program_folder(), start,
                          [this](const QString &problem) { message_box(problem); });
#endif
}

} // namespace brx
