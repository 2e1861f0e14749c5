// The base of the launcher's dialogs. A dialog is its form (a Designer .ui file: the controls
// with their names, captions, geometry in pixels of twips / 15, and the tab order), a load
// step and its handlers. The base gives every dialog the same window: a fixed size from the
// form, a dialog frame without minimise and maximise buttons, centred on its owner, Enter
// pressing only the focused button, and an Escape key that closes the dialog or does nothing,
// as the dialog says; the close box always unloads it.
#pragma once

#include "forms.h"

#include <QDialog>

namespace brx {

class FormDialog : public QDialog {
    Q_OBJECT
public:
    enum class Escape { closes, ignored };

    FormId id() const { return id_; }

    // The load step, run by the registry before the dialog is shown.
    virtual void Form_Load() {}

protected:
    FormDialog(Forms &forms, FormId id, Escape escape);

    // Applies the window rules to the controls the form has just built.
    void form_built();
    Forms &forms() const { return forms_; }
    Platform &platform() const;
    void unload() { forms_.unload(id_); }

    void reject() override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    Forms &forms_;
    FormId id_;
    Escape escape_;
};

} // namespace brx
