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

// The help file is named as it lies beside the launcher; the platform finds its viewer and
// says what is missing when it finds none.
void aboutbox::Command2_Click() {
    const HelpStart help = platform().open_help(QStringLiteral("BRX.chm"));
    if (help.error == 0)
        unload();
    else if (!help.missing.isEmpty())
        platform().message_box(help.missing);
}

} // namespace brx
