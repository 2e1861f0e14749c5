// The platform services on a real desktop, built on Qt.
#pragma once

#include "platform.h"

namespace brx {

class QtPlatform : public Platform {
public:
    void show_modal(QDialog &window) override;
    void end_modal(QDialog &window) override;
    void end_program() override;
    void message_box(const QString &prompt, const QString &title = {}) override;
    bool ask_yes_no(const QString &prompt, const QString &title = {}) override;
    std::optional<FileChoice> open_file(const FileRequest &request) override;
    std::optional<QString> ask_text(const QString &prompt, const QString &title,
                                    const QString &initial) override;
    std::optional<FilesChoice> open_files(const FileRequest &request) override;
    QString program_folder() const override;
    QString state_folder() const override;
    QString user_config_folder() const override;
    Version version() const override;
    bool set_current_dir(const QString &path) override;
    int start_program(const QStringList &arguments, const QString &command_line,
                      const StartWatch &watch = {}) override;
    HelpStart open_help(const QString &file) override;
};

} // namespace brx
