#include "main_screen.h"

#include "brxdata.h"
#include "form_rules.h"
#include "platform.h"
#include "wad_kind.h"

namespace brx {

main_screen::main_screen(Forms &forms) : QWidget(nullptr), forms_(forms) {
    setupUi(this);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    apply_form_rules(*this);
    launch_button->setFocus();

    connect(launch_button, &QPushButton::clicked, this, &main_screen::launch_button_Click);
    connect(MP_Button, &QPushButton::clicked, this, &main_screen::MP_Button_Click);
    connect(DCFG_Button, &QPushButton::clicked, this, &main_screen::DCFG_Button_Click);
    connect(Help_Button, &QPushButton::clicked, this, &main_screen::Help_Button_Click);
    connect(quit_button, &QPushButton::clicked, this, &main_screen::quit_button_Click);
}

void main_screen::Form_Load() {
    const Version version = forms_.platform().version();
    Launcher_version->setText(QStringLiteral("Version %1.%2%3")
                                  .arg(number_text(version.major))
                                  .arg(version.minor)
                                  .arg(version.revision));
    Image2->move(Image1->pos());

    Settings settings;
    // Read again when the file was missing or damaged: on a first run the setup dialog has
    // just saved what the user chose. A file read whole would only be read the same once more.
    if (!BRXdata::load_settings(forms_, 0, settings)) {
        settings = Settings();
        BRXdata::load_settings(forms_, 0, settings);
    }
    show_iwad_kind(settings.doom_iwad);
}

QString main_screen::iwad_caption() const {
    return display_iwad->text();
}

void main_screen::show_iwad_kind(const QString &iwad_path) {
    // The name decides when it ends in DOOM.WAD or DOOM2.WAD; any other IWAD is judged by the
    // maps its directory holds, and one of no known kind changes nothing.
    WadKind kind = WadKind::unknown;
    if (iwad_path.right(8).toUpper() == u"DOOM.WAD")
        kind = WadKind::doom;
    else if (iwad_path.right(9).toUpper() == u"DOOM2.WAD")
        kind = WadKind::doom2;
    else
        kind = wad_kind(iwad_path);
    if (kind == WadKind::doom) {
        Image1->hide();
        Image2->show();
        display_iwad->setText(QStringLiteral("IWAD: Doom"));
    } else if (kind == WadKind::doom2) {
        Image1->show();
        Image2->hide();
        display_iwad->setText(QStringLiteral("IWAD: Doom2"));
    }
}

void main_screen::launch_button_Click() {
    forms_.show_modal(FormId::launch_solo);
}
void main_screen::MP_Button_Click() {
    forms_.show_modal(FormId::launch_multi);
}
void main_screen::DCFG_Button_Click() {
    forms_.show_modal(FormId::doom_setup);
}
void main_screen::Help_Button_Click() {
    forms_.show_modal(FormId::aboutbox);
}
void main_screen::quit_button_Click() {
    forms_.platform().end_program();
}

} // namespace brx
