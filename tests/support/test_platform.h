// The scripted platform the window and flow tests run against. It records every message box,
// file-open dialog and program start; answers file-open dialogs from a queue; and, instead of
// a blocking modal loop, runs the test's script for the shown window, then closes the window
// as its close box would if the script left it open.
#pragma once

#include "help_viewer.h"
#include "platform.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QHash>
#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

namespace brx {

class TestPlatform : public Platform {
public:
    struct Message {
        QString prompt;
        QString title;
    };
    struct Start {
        QString command_line;
        QString current_dir;
        StartWatch watch;
    };
    using Script = std::function<void(QDialog &)>;

    // Scripts per window objectName, used in order, one per showing. A window without a
    // script left is closed by its close box straight away.
    void script(const QString &window, Script run) { scripts_[window].append(std::move(run)); }
    // Answers for the file-open dialog, one per showing, whether it chooses one file or
    // several.
    void answer_file(std::optional<FileChoice> answer) {
        if (answer)
            file_answers_.append(FilesChoice{{answer->path}, answer->filter});
        else
            file_answers_.append(std::nullopt);
    }
    void answer_files(std::optional<FilesChoice> answer) {
        file_answers_.append(std::move(answer));
    }
    void answer_text(std::optional<QString> answer) { text_answers_.append(std::move(answer)); }
    // Scripts and file answers queued but never used.
    int unused_answers() const {
        int count = int(file_answers_.size() + text_answers_.size() + yes_no_answers_.size());
        for (const QList<Script> &list : scripts_)
            count += int(list.size());
        return count;
    }

    QList<Message> messages;
    QStringList shown;                // objectNames of the windows shown, in order
    QList<FileRequest> file_requests; // what each file-open dialog was asked
    QStringList questions;            // every line of text asked for, as "prompt|initial"
    QList<Start> starts;              // every program start
    QStringList dir_changes;          // every set_current_dir, in order
    QString folder;                   // the program folder
    QString state;                    // the state folder
    QString config_folder;            // the user's settings folder (none when empty)
    Version launcher_version{1, 0, 0};
    int start_result = 0;                                           // what start_program answers...
    std::function<int(const QStringList &, const QString &)> start; // ...unless this is set
    bool program_ended = false;
    std::function<void()> on_message; // what happens while a message is on screen

    void show_modal(QDialog &window) override {
        shown << window.objectName();
        window.show();
        QApplication::setActiveWindow(&window);
        if (QList<Script> &queue = scripts_[window.objectName()]; !queue.isEmpty())
            queue.takeFirst()(window);
        if (window.isVisible())
            window.close();
        if (window.isVisible())
            qFatal("%s stayed open after its close box", qPrintable(window.objectName()));
    }
    void end_modal(QDialog &window) override { window.done(QDialog::Rejected); }
    void end_program() override { program_ended = true; }
    void message_box(const QString &prompt, const QString &title = {}) override {
        messages.append({prompt, title});
        if (on_message)
            on_message();
    }
    // Questions are listed with the messages, their prompt ending in " [yes]" or " [no]".
    bool ask_yes_no(const QString &prompt, const QString &title = {}) override {
        if (yes_no_answers_.isEmpty())
            qFatal("question \"%s\" asked with no answer queued", qPrintable(prompt));
        const bool yes = yes_no_answers_.takeFirst();
        messages.append(
            {prompt + (yes ? QStringLiteral(" [yes]") : QStringLiteral(" [no]")), title});
        return yes;
    }
    void answer_yes_no(bool yes) { yes_no_answers_.append(yes); }
    std::optional<FileChoice> open_file(const FileRequest &request) override {
        const std::optional<FilesChoice> answer = open_files(request);
        if (!answer)
            return std::nullopt;
        if (answer->paths.size() != 1)
            qFatal("file-open dialog \"%s\" for one file answered with several",
                   qPrintable(request.title));
        return FileChoice{answer->paths.constFirst(), answer->filter};
    }
    std::optional<FilesChoice> open_files(const FileRequest &request) override {
        file_requests.append(request);
        if (file_answers_.isEmpty())
            qFatal("file-open dialog \"%s\" shown with no answer queued",
                   qPrintable(request.title));
        return file_answers_.takeFirst();
    }
    std::optional<QString> ask_text(const QString &prompt, const QString &,
                                    const QString &initial) override {
        questions << prompt + u'|' + initial;
        if (text_answers_.isEmpty())
            qFatal("\"%s\" asked with no answer queued", qPrintable(prompt));
        return text_answers_.takeFirst();
    }
    QString program_folder() const override { return folder; }
    QString state_folder() const override { return state; }
    QString user_config_folder() const override { return config_folder; }
    Version version() const override { return launcher_version; }
    bool set_current_dir(const QString &path) override {
        dir_changes << path;
        return QDir::setCurrent(path);
    }
    int start_program(const QStringList &arguments, const QString &command_line,
                      const StartWatch &watch = {}) override {
        starts.append({command_line, QDir::toNativeSeparators(QDir::currentPath()), watch});
        return start ? start(arguments, command_line) : start_result;
    }
    // The help opens as on Windows: its viewer is one more program start.
    HelpStart open_help(const QString &file) override {
        return open_windows_help(file,
                                 [this](const QStringList &arguments, const QString &command_line,
                                        const StartWatch &watch) {
                                     return start_program(arguments, command_line, watch);
                                 });
    }

private:
    QHash<QString, QList<Script>> scripts_;
    QList<std::optional<FilesChoice>> file_answers_;
    QList<std::optional<QString>> text_answers_;
    QList<bool> yes_no_answers_;
};

} // namespace brx
