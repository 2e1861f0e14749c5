// The base of the two game dialogs: the game options panel with its file list editor
// ("Files..."), "Okay" handing the dialog's
// launch request to the launch, "Cancel", an Escape key that closes nothing, files dropped
// from the desktop, and the command line shown before it runs (the tooltip of "Okay" and
// "Copy command line" in the dialog's context menu). Each dialog opens with the last game
// started from it, and has a preset row: a list of the presets of this dialog, "Save as...",
// "Delete", "Shortcut", and "Defaults" bringing back the choices a first opening shows.
#pragma once

#include "form_dialog.h"
#include "game_panel.h"

#include <QLabel>
#include <QTimer>

namespace brx {

class GameDialog : public FormDialog {
    Q_OBJECT
public:
    // The panel's Fill; a dialog with more to load adds its own steps, then finish_load().
    void Form_Load() override;

    // The launch request of the dialog's current values, as "Okay" hands it on.
    virtual LaunchRequest request() const = 0;
    // The command line "Okay" would start now.
    QString command_line() const;
    // The panel, for the file list editor that "Files..." opens over the dialog.
    const GamePanel &panel() const { return panel_; }

    GameKind kind() const;
    // The dialog's choices as they stand, and back.
    virtual GameChoices choices() const;
    virtual void apply(const GameChoices &game);
    // What "Okay" does: starts the game, and a game started becomes the dialog's last game.
    // Returns whether it was started.
    bool start_game();

public slots:
    void Okay_Button_Click();
    void Cancel_Button_Click();
    void LoadExternal_button_Click();
    void clear_button_Click();
    void preset_list_Activated(int index);
    void preset_save_Click();
    void preset_delete_Click();
    void preset_shortcut_Click();
    void defaults_button_Click();
    void Files_button_Click();

protected:
    GameDialog(Forms &forms, FormId id);

    // Call once the form has built the controls.
    template <typename Form> void game_form_built(Form &form) {
        panel_ = GamePanel::of(form);
        preset_list_ = form.preset_list;
        preset_runs_ = form.preset_runs;
        finish_form(form.Okay_Button, form.Cancel_Button, form.preset_save, form.preset_delete,
                    form.preset_shortcut, form.defaults_button);
    }
    // The end of the load step: the presets listed, the last game's choices shown, and the
    // level list's read started.
    void finish_load();

    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    GamePanel panel_;

private:
    void finish_form(QPushButton *okay, QPushButton *cancel, QPushButton *save, QPushButton *remove,
                     QPushButton *shortcut, QPushButton *defaults);
    // Lists the presets of this dialog, the one named current.
    void list_presets(const Presets &presets, const QString &current);
    // Says which engine and IWAD a game would run with.
    void show_runs();

    QComboBox *preset_list_ = nullptr;
    QLabel *preset_runs_ = nullptr;
    // Reads the maps of the IWAD and the files named in the boxes off the interface thread
    // and shows them when the read is the latest.
    void read_levels();
    // Before a game starts: a read still due or on its way is done at once, so that the level
    // given is picked from the maps of the files as they are now.
    void settle_levels();
    struct LevelsRead;
    static LevelsRead read_level_files(const QString &settings_path, const QString &wads,
                                       const QString &patch);
    void show_read(const LevelsRead &read);

    // A change to the boxes rebuilds the level list once typing pauses.
    QTimer levels_due_;
    int levels_read_ = 0;   // the number of the latest read
    int levels_shown_ = -1; // the number of the read the list shows; none yet
};

} // namespace brx
