// The desktop services the launcher's logic asks for: windows shown modally, message boxes,
// the file-open dialog, the program's own folder and version, the current directory and
// starting another program. Everything above this seam runs headless against a scripted
// implementation in the tests; main() hands in the Qt one.
#pragma once

#include <QString>
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

// Error number of a program start whose program file cannot be found.
inline constexpr int error_file_not_found = 53;

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

    // Nothing when the user cancels or the dialog fails.
    virtual std::optional<FileChoice> open_file(const FileRequest &request) = 0;

    // The folder of the launcher's executable, in native form.
    virtual QString program_folder() const = 0;
    // The user's own folder for the launcher's settings, in native form, for when the
    // program folder can hold none; it need not exist yet. Empty when there is none.
    virtual QString user_config_folder() const = 0;
    virtual Version version() const = 0;

    virtual bool set_current_dir(const QString &path) = 0;

    // Starts the command line as a separate process without waiting for it. Returns 0, or
    // an error number: error_file_not_found when no program can be found.
    virtual int start_program(const QString &command_line) = 0;
};

} // namespace brx
