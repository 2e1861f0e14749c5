// The main window: the title picture of the configured game, the IWAD indicator, the
// launcher's version and the buttons that open the dialogs or end the program.
#pragma once

#include "game_library.h"
#include "ui_main_screen.h"
#include "window_list.h"

#include <QWidget>

namespace brx {

class main_screen : public QWidget, public Ui::main_screen, public MainWindow {
    Q_OBJECT
public:
    explicit main_screen(Forms &forms);

    WadKind iwad_kind() const override { return kind_; }
    void show_iwad_kind(const QString &iwad_path) override;
    SettingsFound settings_found(qint16 silent, const SettingsFound &found, const Settings &start,
                                 Settings &settings) override;
    PresetsFound presets_found(const PresetsFound &found) override;
    GameLibrary &game_library() override { return library_; }

public slots:
    // Start-up: version, pictures and the settings, loaded twice so that a first run's
    // setup is read back.
    void Form_Load();
    void launch_button_Click();
    void MP_Button_Click();
    void DCFG_Button_Click();
    void Help_Button_Click();
    void quit_button_Click();

private:
    Forms &forms_;
    WadKind kind_ = WadKind::unknown;
    // What of the presets file has been told in this run.
    bool told_presets_damaged_ = false, told_presets_unreadable_ = false;
    GameLibrary library_;
};

} // namespace brx
