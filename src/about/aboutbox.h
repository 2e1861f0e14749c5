// The about box: the product line and the credits, and the way to the help.
#pragma once

#include "form_dialog.h"
#include "ui_aboutbox.h"

namespace brx {

class aboutbox : public FormDialog, public Ui::aboutbox {
    Q_OBJECT
public:
    explicit aboutbox(Forms &forms);

    void Form_Load() override;

public slots:
    void Command1_Click();
    void Command2_Click();
};

} // namespace brx
