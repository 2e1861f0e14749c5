#include "form_dialog.h"

#include "form_rules.h"

#include <QKeyEvent>

namespace brx {

FormDialog::FormDialog(Forms &forms, FormId id, Escape escape)
    : QDialog(forms.main_window(), Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                       Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                       Qt::WindowCloseButtonHint),
      forms_(forms), id_(id), escape_(escape) {}

void FormDialog::form_built() {
    apply_form_rules(*this);
}

Platform &FormDialog::platform() const {
    return forms_.platform();
}

// The close box, and Escape where it closes: the dialog is unloaded.
void FormDialog::reject() {
    if (forms_.loaded(id_) == this)
        unload();
    else
        QDialog::reject();
}

void FormDialog::showEvent(QShowEvent *event) {
    fit_captions(*this);
    QDialog::showEvent(event);
}

void FormDialog::keyPressEvent(QKeyEvent *event) {
    if (escape_ == Escape::ignored && event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace brx
