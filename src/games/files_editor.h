// The file list editor that "Files..." opens over a game dialog: the external WADs one per
// row, in the order they load. Rows move by drag, by Alt+Up and Alt+Down or by "Move up" and
// "Move down"; "Remove" (or Delete) takes one out; "Add..." runs the external-files chooser
// and puts the files after the others (a patch chosen there replaces the dialog's patch on
// "Okay"). A file that does not exist is marked. "Okay" writes the list back into the WAD
// box, "Cancel" (or Escape) changes nothing.
#pragma once

#include "form_dialog.h"
#include "game_dialog.h"
#include "ui_files_editor.h"

#include <QPointer>

namespace brx {

class files_editor : public FormDialog, public Ui::files_editor {
    Q_OBJECT
public:
    explicit files_editor(Forms &forms);

    // Reads the WAD box of the game dialog that is open (none: an empty list).
    void Form_Load() override;

    // The files of the list, in order.
    QStringList files() const;

public slots:
    void Add_button_Click();
    void Remove_button_Click();
    void Up_button_Click();
    void Down_button_Click();
    void Okay_Button_Click();
    void Cancel_Button_Click();

private:
    void add_row(const QString &path);
    void move_current(int by);

    QPointer<GameDialog> game_;
    QStringList read_; // the files as read, to leave an unchanged list's text as it was
    QString patch_;    // a patch chosen through "Add...", for the dialog's patch box
};

} // namespace brx
