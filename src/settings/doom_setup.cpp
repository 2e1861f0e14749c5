#include "doom_setup.h"

#include "brxdata.h"
#include "file_chooser.h"
#include "window_list.h"

namespace brx {

namespace {

// The option buttons of `card`, by the index brx.cfg stores.
enum Card { voodoo = 0, voodoo2 = 1, normal_agp = 2 };
// Entries of the lists, by their place: "640x480" and "44100", shown when nothing is stored.
constexpr int resolution_640x480 = 5;
constexpr int rate_44100 = 2;
// The tab the dialog opens on, "ZDoom Setup".
constexpr int zdoom_tab = 0;

} // namespace

doom_setup::doom_setup(Forms &forms) : FormDialog(forms, FormId::doom_setup, Escape::closes) {
    setupUi(this);
    form_built();
    // The option buttons are addressed by their index, which brx.cfg stores.
    card->setId(card_0, voodoo);
    card->setId(card_1, voodoo2);
    card->setId(card_2, normal_agp);
    // A path as long as brx.cfg can hold shows whole, so that "Okay" never saves it cut short.
    for (QLineEdit *box : {doom_exe, doom_iwad})
        box->setMaxLength(int(longest_value));

    connect(get_exe, &QPushButton::clicked, this, &doom_setup::get_exe_Click);
    connect(get_iwad, &QPushButton::clicked, this, &doom_setup::get_iwad_Click);
    connect(Okay_Button, &QPushButton::clicked, this, &doom_setup::Okay_Button_Click);
    connect(Cancel_Button, &QPushButton::clicked, this, &doom_setup::Cancel_Button_Click);
}

void doom_setup::Form_Load() {
    Settings stored;
    stored.card = normal_agp;
    stored.nomd2 = 1;
    BRXdata::load_settings(forms(), -1, stored);

    doom_exe->setText(stored.doom_exe);
    doom_iwad->setText(stored.doom_iwad);
    nomd2->setChecked(stored.nomd2 == 1);
    if (QAbstractButton *option = card->button(stored.card))
        option->setChecked(true);

    const QString resolution = stored.vid_width + u'x' + stored.vid_height;
    vid_res->setCurrentIndex(resolution == u"x" ? resolution_640x480
                                                : vid_res->findText(resolution));
    snd_rate->setCurrentIndex(stored.snd_rate.isEmpty() ? rate_44100
                                                        : snd_rate->findText(stored.snd_rate));

    Cancel_Button->setEnabled(!stored.doom_exe.isEmpty() && !stored.doom_iwad.isEmpty());
    SSTab1->setCurrentIndex(zdoom_tab);
    Okay_Button->setFocus();
}

void doom_setup::get_exe_Click() {
    // "excutable" is misspelt on purpose: it is this dialog's own title, which users know.
    choose_file(forms(), -1,
                {QStringLiteral("Select ZDoom excutable..."),
                 QStringLiteral("ZDoom executable (zdoom.exe)|zdoom.exe|ZdoomGL "
                                "(zdoomgl.exe)|zdoomgl.exe|All executables (*.exe)|*.exe"),
                 {}},
                &Settings::doom_exe, {{doom_exe}, {doom_exe}, {doom_exe}});
}

void doom_setup::get_iwad_Click() {
    choose_file(forms(), -1,
                {QStringLiteral("Select ZDoom IWAD..."),
                 QStringLiteral("Doom wad (doom.wad)|doom.wad|Doom2 wad (doom2.wad)|doom2.wad"),
                 {}},
                &Settings::doom_iwad, {{doom_iwad}, {doom_iwad}});
}

void doom_setup::Okay_Button_Click() {
    Settings chosen;
    const QString resolution = vid_res->currentIndex() < 0 ? QString() : vid_res->currentText();
    const qsizetype x = resolution.indexOf(u'x');
    if (x >= 0) {
        chosen.vid_width = resolution.left(x);
        chosen.vid_height = resolution.mid(x + 1);
    }
    chosen.card = qint16(qMax(card->checkedId(), 0));

    while (doom_exe->text().isEmpty()) {
        platform().message_box(QStringLiteral("Please locate your ZDoom.exe..."));
        get_exe_Click();
    }
    while (doom_iwad->text().isEmpty()) {
        platform().message_box(QStringLiteral("Please locate your doom/doom2 IWAD..."));
        get_iwad_Click();
    }

    chosen.doom_exe = doom_exe->text();
    chosen.doom_iwad = doom_iwad->text();
    chosen.snd_rate = snd_rate->currentIndex() < 0 ? QString() : snd_rate->currentText();
    chosen.nomd2 = nomd2->isChecked() ? 1 : 0;

    QString why;
    if (!BRXdata::save_settings(platform(), chosen, &why)) {
        platform().message_box(QStringLiteral("The settings could not be saved to\n%1\n\n%2")
                                   .arg(BRXdata::settings_path(platform()), why),
                               QStringLiteral("Error!"));
        return;
    }
    if (MainWindow *main = main_window(forms()))
        main->show_iwad_kind(chosen.doom_iwad);
    unload();
}

void doom_setup::Cancel_Button_Click() {
    unload();
}

} // namespace brx
