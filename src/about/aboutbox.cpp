#include "aboutbox.h"

#include "platform.h"
#include "window_list.h"

namespace brx {

aboutbox::aboutbox(Forms &forms) : FormDialog(forms, FormId::aboutbox, Escape::closes) {
    setupUi(this);
    form_built();
    connect(Command1, &QPushButton::clicked, this, &aboutbox::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &aboutbox::Command2_Click);
}

void aboutbox::Form_Load() {
    // Line breaks are written LF CR; a label shows the CR as a stray glyph, so it shows the
    // breaks alone.
    const QString text = QStringLiteral("Brixmoor, made by the Brixmoor developers, 2026\n\r"
                                        "\n\r"
                                        "Programming: the Brixmoor developers\n\r"
                                        "Icon: drawn for Brixmoor by its developers");
    Label1->setText(QString(text).remove(u'\r'));
    Command1->setFocus();
}

void aboutbox::Command1_Click() {
    unload();
}

// The help viewer gets the help file's name alone and finds it beside the launcher.
void aboutbox::Command2_Click() {
    const int error = platform().start_program(
        {QStringLiteral("hh.exe"), QStringLiteral("BRX.chm")}, QStringLiteral("hh.exe BRX.chm"));
    if (error == 0)
        unload();
    else if (error == error_file_not_found)
        platform().message_box(QStringLiteral("Windows HTML Help could not be found"));
}

} // namespace brx
