// The engine setup dialog: where the user picks the engine, the IWAD, the resolution, the
// sample rate and the ZDoomGL options. It fills itself from brx.cfg when it opens and writes
// the whole record on "Okay".
#pragma once

#include "form_dialog.h"
#include "ui_doom_setup.h"

class QCompleter;

namespace brx {

class doom_setup : public FormDialog, public Ui::doom_setup {
    Q_OBJECT
public:
    explicit doom_setup(Forms &forms);

    void Form_Load() override;

public slots:
    void get_exe_Click();
    void get_iwad_Click();
    void Okay_Button_Click();
    void Cancel_Button_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Offers the engines and IWADs the game library found in the boxes' completion lists
    // and, on a first run, fills the boxes left empty with the best of them.
    void offer_found();
    // Disables the options the engine in the box has no use for, each telling why; what they
    // hold is saved as it stands.
    void follow_engine();

    QCompleter *exe_found_ = nullptr;
    QCompleter *iwad_found_ = nullptr;
    bool first_run_ = false;
};

} // namespace brx
