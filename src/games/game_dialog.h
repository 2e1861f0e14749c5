// The base of the two game dialogs: the game options panel, "Okay" handing the dialog's
// launch request to the launch, "Cancel", an Escape key that closes nothing, files dropped
// from the desktop, and the command line shown before it runs (the tooltip of "Okay" and
// "Copy command line" in the dialog's context menu).
#pragma once

#include "form_dialog.h"
#include "game_panel.h"

#include <QTimer>

namespace brx {

class GameDialog : public FormDialog {
    Q_OBJECT
public:
    // The panel's Fill; a dialog with more to load adds its own steps.
    void Form_Load() override;

    // The launch request of the dialog's current values, as "Okay" hands it on.
    virtual LaunchRequest request() const = 0;
    // The command line "Okay" would start now.
    QString command_line() const;
    // The game options panel, to select a level by its map's name (GamePanel::select_map).
    const GamePanel &panel() const { return panel_; }

public slots:
    void Okay_Button_Click();
    void Cancel_Button_Click();
    void LoadExternal_button_Click();
    void clear_button_Click();

protected:
    GameDialog(Forms &forms, FormId id);

    // Call once the form has built the controls.
    template <typename Form> void game_form_built(Form &form) {
        panel_ = GamePanel::of(form);
        finish_form(form.Okay_Button, form.Cancel_Button);
    }

    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    GamePanel panel_;

private:
    void finish_form(QPushButton *okay, QPushButton *cancel);
    // Reads the maps of the IWAD and the files named in the boxes off the interface thread
    // and shows them when the read is the latest.
    void read_levels();

    // A change to the boxes rebuilds the level list once typing pauses.
    QTimer levels_due_;
    int levels_read_ = 0; // the number of the latest read
};

} // namespace brx
