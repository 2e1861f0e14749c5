// The desktop services the launcher's logic asks for: windows shown modally, message boxes,
// the file-open dialog, the program's own folder and version, the current directory and
// starting another program. Everything above this seam runs headless against a scripted
// implementation in the tests; main() hands in the Qt one.
#pragma once

#include "start_errors.h"

#include <QStringList>
#include <functional>
#include <optional>

class QDialog;

namespace brx {

struct Version {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// What a handler hands to the file-open dialog: the title line, the filter as
// "description|pattern|description|pattern...", and a stored file path at whose folder
// browsing begins (may be empty).
struct FileRequest {
    QString title;
    QString filter;
    QString start;
};

// The confirmed file: its full path and the number of the filter pair that was selected,
// counted from 1.
struct FileChoice {
    QString path;
    int filter = 1;
};

// The files confirmed at once, in the order the user chose them, and the filter's number.
struct FilesChoice {
    QStringList paths;
    int filter = 1;
};

// A program that ends this soon after its start, with a failure, failed to start in all but
// name.
inline constexpr int early_end_seconds = 5;

// What a game's start asks for besides the command line.
struct StartWatch {
    // The file the program's standard output and error go to; empty: the launcher's own.
    QString log;
    // Run on the interface thread when the program ends within early_end_seconds with a
    // non-zero status or by a signal, with how it ended ("exit status 255", "signal 11 ...")
    // and, when the log could not be written, why (else empty).
    std::function<void(const QString &how, const QString &log_problem)> failed_early;
};

// What opening the help came to: error 0 once the viewer has started; else the error number
// (error_file_not_found when the viewer or the help cannot be found) and, where the system
// has its own words for what is missing, those words for the user.
struct HelpStart {
    int error = 0;
    QString missing;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Runs the window modally over the main window; returns once end_modal() has been
    // called for it (by its own handlers, the close box or the launch procedure).
    virtual void show_modal(QDialog &window) = 0;
    virtual void end_modal(QDialog &window) = 0;
    virtual void end_program() = 0;

    // A message with a single OK button and no icon. An empty title shows the
    // application's title, "BRX".
    virtual void message_box(const QString &prompt, const QString &title = {}) = 0;
    // A question with "Yes" and "No" buttons, "No" the default; true for "Yes".
    virtual bool ask_yes_no(const QString &prompt, const QString &title = {}) = 0;

    // Nothing when the user cancels or the dialog fails.
    virtual std::optional<FileChoice> open_file(const FileRequest &request) = 0;
    // The same dialog choosing several files at once (at least one when it answers).
    virtual std::optional<FilesChoice> open_files(const FileRequest &request) = 0;

    // Asks for one line of text, the box starting with initial; nothing when the user cancels.
    virtual std::optional<QString> ask_text(const QString &prompt, const QString &title,
                                            const QString &initial) = 0;

    // The folder of the launcher's executable, in native form.
    virtual QString program_folder() const = 0;
    // The user's folder for what the launcher leaves behind that is no setting (the last
    // game's output), in native form; it may not exist yet.
    virtual QString state_folder() const = 0;
    // The user's own folder for the launcher's settings, in native form, for when the
    // program folder can hold none; it need not exist yet. Empty when there is none.
    virtual QString user_config_folder() const = 0;
    virtual Version version() const = 0;

    virtual bool set_current_dir(const QString &path) = 0;

    // Starts a program as a separate process without waiting for it: the argument vector
    // (the program first) on POSIX systems, the same call as one command line on Windows.
    // Returns 0, or an error number: error_file_not_found when no program can be found.
    virtual int start_program(const QStringList &arguments, const QString &command_line,
                              const StartWatch &watch = {}) = 0;

    // Opens the launcher's help file, named as it lies beside the launcher, in the desktop's
    // help viewer without waiting for it.
    virtual HelpStart open_help(const QString &file) = 0;
};

} // namespace brx
