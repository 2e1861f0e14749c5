#include "main_screen.h"

#include "brxdata.h"
#include "form_rules.h"
#include "number_text.h"
#include "platform.h"
#include "wad_identity.h"
#include "wad_kind.h"

#include <utility>

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
    // just saved what the user chose. A file read whole would only be read the same once more,
    // and one that cannot be read has been reported once.
    const SettingsFound found = BRXdata::load(forms_, 0, settings);
    if (found.kind == SettingsFound::missing || found.kind == SettingsFound::damaged) {
        settings = Settings();
        BRXdata::load(forms_, 0, settings);
    }
    show_iwad_kind(settings.doom_iwad);
}

SettingsFound main_screen::settings_found(qint16 silent, const SettingsFound &found,
                                          const Settings &start, Settings &settings) {
    Platform &platform = forms_.platform();
    switch (found.kind) {
    case SettingsFound::record:
        break;
    case SettingsFound::missing:
        if (silent == 0) {
            platform.message_box(
                QStringLiteral("BRX needs to be configured...\n\rPlease note: this will "
                               "only need to be done once"),
                QStringLiteral("BRX needs to be configured..."));
            forms_.show_modal(FormId::doom_setup);
        }
        break;
    case SettingsFound::unreadable:
        // Neither a first run nor damage: the file is left as it is, and the user is told.
        if (silent == 0)
            platform.message_box(QStringLiteral("The settings could not be read from\n%1\n\n%2")
                                     .arg(found.path, found.reason),
                                 QStringLiteral("Error!"));
        break;
    case SettingsFound::damaged: {
        platform.message_box(QStringLiteral("Config file corrupt"), QStringLiteral("Error!"));
        // While the message was up the user may have mended the file, or another launcher
        // saved: only a file still damaged and unchanged is moved aside.
        Settings again = start;
        const SettingsFound now = settle_damaged(found, again);
        if (now.kind == SettingsFound::record)
            settings = again;
        return now;
    }
    }
    return found;
}

PresetsFound main_screen::presets_found(const PresetsFound &found) {
    Platform &platform = forms_.platform();
    switch (found.kind) {
    case PresetsFound::data:
    case PresetsFound::missing:
        break;
    case PresetsFound::unreadable:
        // Left as it is, and never saved over.
        if (!std::exchange(told_presets_unreadable_, true))
            platform.message_box(QStringLiteral("The presets could not be read from\n%1\n\n%2")
                                     .arg(found.path, found.reason),
                                 QStringLiteral("Error!"));
        break;
    case PresetsFound::damaged: {
        // Moved aside, never deleted: the presets start afresh and the old file stays for
        // mending.
        const bool moved = set_aside(found.path);
        if (!std::exchange(told_presets_damaged_, true))
            platform.message_box(
                (moved ? QStringLiteral("The presets file is damaged (%2). It was moved aside "
                                        "as\n%1.damaged")
                       : QStringLiteral("The presets file is damaged (%2) and could not be "
                                        "moved aside:\n%1"))
                    .arg(found.path, found.reason),
                QStringLiteral("Error!"));
        if (moved) {
            PresetsFound now = found;
            now.kind = PresetsFound::missing;
            return now;
        }
        break;
    }
    }
    return found;
}

void main_screen::show_iwad_kind(const QString &iwad_path) {
    // The name decides when it ends in DOOM.WAD or DOOM2.WAD; any other IWAD is judged by the
    // maps its directory holds. One of no known kind shows the Doom II picture, as the window
    // starts.
    if (iwad_path.right(8).toUpper() == u"DOOM.WAD")
        kind_ = WadKind::doom;
    else if (iwad_path.right(9).toUpper() == u"DOOM2.WAD")
        kind_ = WadKind::doom2;
    else
        kind_ = wad_kind(iwad_path);
    Image1->setVisible(kind_ != WadKind::doom);
    Image2->setVisible(kind_ == WadKind::doom);
    display_iwad->setText(kind_ == WadKind::doom    ? QStringLiteral("IWAD: Doom")
                          : kind_ == WadKind::doom2 ? QStringLiteral("IWAD: Doom2")
                                                    : QStringLiteral("IWAD: Unknown"));
    // The game itself, by what the file holds: "Freedoom: Phase 2".
    display_iwad->setToolTip(iwad_path.isEmpty() ? QString() : identify_wad(iwad_path).name);
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
