#include "doom_setup.h"

#include "brxdata.h"
#include "forms.h"
#include "widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace brx {

namespace {

const FileRequest exe_request{
    QStringLiteral("Select ZDoom excutable..."),
    QStringLiteral("ZDoom executable (zdoom.exe)|zdoom.exe|ZdoomGL (zdoomgl.exe)|zdoomgl.exe|"
                   "All executables (*.exe)|*.exe"),
    {}};
const FileRequest iwad_request{
    QStringLiteral("Select ZDoom IWAD..."),
    QStringLiteral("Doom wad (doom.wad)|doom.wad|Doom2 wad (doom2.wad)|doom2.wad"),
    {}};

} // namespace

doom_setup::doom_setup(Forms &forms, QWidget *owner) : QDialog(owner), forms_(forms) {
    setObjectName(QStringLiteral("doom_setup"));
    setWindowTitle(QStringLiteral("ZDoom Configuration..."));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    fix_client_size(this, 6285, 6585);
    use_classic_frames(this);

    SSTab1 = make<QTabWidget>(this, "SSTab1");
    place(SSTab1, 120, 120, 6015, 5895);
    auto *tab0 = new QWidget;
    auto *tab1 = new QWidget;
    SSTab1->addTab(tab0, QStringLiteral("ZDoom Setup"));
    SSTab1->addTab(tab1, QStringLiteral("ZDoomGL Setup"));

    Frame1 = make<QGroupBox>(tab0, "Frame1", QStringLiteral("ZDoom Setup"));
    place_on_tab(SSTab1, Frame1, 240, 600, 5535, 1935);
    Label1 = make<QLabel>(Frame1, "Label1", QStringLiteral("ZDoom or ZdoomGL executable..."));
    place(Label1, 240, 360, 4335, 255);
    doom_exe = make<QLineEdit>(Frame1, "doom_exe");
    place(doom_exe, 240, 600, 4335, 285);
    get_exe = make<QPushButton>(Frame1, "get_exe", QStringLiteral("..."));
    place(get_exe, 4680, 600, 615, 255);
    Label2 = make<QLabel>(Frame1, "Label2", QStringLiteral("Doom or Doom2 IWAD..."));
    place(Label2, 240, 1080, 2655, 255);
    doom_iwad = make<QLineEdit>(Frame1, "doom_iwad");
    place(doom_iwad, 240, 1320, 4335, 285);
    get_iwad = make<QPushButton>(Frame1, "get_iwad", QStringLiteral("..."));
    place(get_iwad, 4680, 1320, 615, 255);

    Frame2 = make<QGroupBox>(tab0, "Frame2", QStringLiteral("General Setup"));
    place_on_tab(SSTab1, Frame2, 240, 2760, 5535, 2895);
    Label3 = make<QLabel>(Frame2, "Label3", QStringLiteral("ZDoom resolution"));
    place(Label3, 240, 480, 1335, 255);
    vid_res = make<QComboBox>(Frame2, "vid_res");
    place(vid_res, 1920, 480, 1215, 315);
    vid_res->addItems(
        {"320x200", "320x240", "400x300", "512x384", "640x400", "640x480", "800x600", "1024x768"});
    Label4 = make<QLabel>(Frame2, "Label4", QStringLiteral("Sound Sampling rate"));
    place(Label4, 240, 960, 1575, 255);
    snd_rate = make<QComboBox>(Frame2, "snd_rate");
    place(snd_rate, 1920, 960, 1215, 315);
    snd_rate->addItems({"11025", "22050", "44100"});

    Frame4 = make<QGroupBox>(tab1, "Frame4", QStringLiteral("Card Configuration"));
    place_on_tab(SSTab1, Frame4, 240, 720, 1815, 1095);
    card = new QButtonGroup(this);
    card->setObjectName(QStringLiteral("card"));
    const struct {
        const char *caption;
        int top, width;
    } cards[] = {{"Voodoo", 240, 975}, {"Voodoo2/3", 480, 1215}, {"Normal AGP", 720, 1215}};
    for (int index = 0; index < 3; ++index) {
        auto *option =
            make<QRadioButton>(Frame4, "card", QString::fromLatin1(cards[index].caption));
        place(option, 120, cards[index].top, cards[index].width, 255);
        card->addButton(option, index);
    }

    Frame5 = make<QGroupBox>(tab1, "Frame5", QStringLiteral("Other Options"));
    place_on_tab(SSTab1, Frame5, 240, 1920, 5535, 3615);
    nomd2 = make<QCheckBox>(Frame5, "nomd2", QStringLiteral("Don't use MD2 Models"));
    place(nomd2, 120, 360, 2415, 255);

    Okay_Button = make<QPushButton>(this, "Okay_Button", QStringLiteral("Okay"));
    place(Okay_Button, 3600, 6120, 1215, 375);
    Cancel_Button = make<QPushButton>(this, "Cancel_Button", QStringLiteral("Cancel"));
    place(Cancel_Button, 4920, 6120, 1215, 375);

    set_tab_order({Okay_Button, Cancel_Button, SSTab1, doom_iwad, doom_exe, get_exe, get_iwad,
                   vid_res, snd_rate, nomd2, card->button(2), card->button(1), card->button(0)});
    press_focused_button_on_enter(this);

    connect(get_exe, &QPushButton::clicked, this, &doom_setup::get_exe_Click);
    connect(get_iwad, &QPushButton::clicked, this, &doom_setup::get_iwad_Click);
    connect(Okay_Button, &QPushButton::clicked, this, &doom_setup::Okay_Button_Click);
    connect(Cancel_Button, &QPushButton::clicked, this, &doom_setup::Cancel_Button_Click);
}

void doom_setup::Form_Load() {
    Settings stored;
    stored.card = 2;
    stored.nomd2 = 1;
    BRXdata::load_settings(forms_, -1, stored);

    doom_exe->setText(stored.doom_exe);
    doom_iwad->setText(stored.doom_iwad);
    nomd2->setChecked(stored.nomd2 == 1);
    if (QAbstractButton *option = card->button(stored.card))
        option->setChecked(true);

    const QString resolution = stored.vid_width + u'x' + stored.vid_height;
    vid_res->setCurrentIndex(resolution == u"x" ? 5 : vid_res->findText(resolution));
    snd_rate->setCurrentIndex(stored.snd_rate.isEmpty() ? 2 : snd_rate->findText(stored.snd_rate));

    Cancel_Button->setEnabled(!stored.doom_exe.isEmpty() && !stored.doom_iwad.isEmpty());
    SSTab1->setCurrentIndex(0);
    Okay_Button->setFocus();
}

void doom_setup::choose_file(QLineEdit *box, const FileRequest &request,
                             QString Settings::*stored_path) {
    Settings stored;
    BRXdata::load_settings(forms_, -1, stored);
    FileRequest asked = request;
    // Browsing starts from the stored path, not from what the box holds now.
    asked.start = stored.*stored_path;
    if (const std::optional<FileChoice> choice = forms_.platform().open_file(asked))
        box->setText(choice->path);
}

void doom_setup::get_exe_Click() {
    choose_file(doom_exe, exe_request, &Settings::doom_exe);
}

void doom_setup::get_iwad_Click() {
    choose_file(doom_iwad, iwad_request, &Settings::doom_iwad);
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

    Platform &platform = forms_.platform();
    while (doom_exe->text().isEmpty()) {
        platform.message_box(QStringLiteral("Please locate your ZDoom.exe..."));
        get_exe_Click();
    }
    while (doom_iwad->text().isEmpty()) {
        platform.message_box(QStringLiteral("Please locate your doom/doom2 IWAD..."));
        get_iwad_Click();
    }

    chosen.doom_exe = doom_exe->text();
    chosen.doom_iwad = doom_iwad->text();
    chosen.snd_rate = snd_rate->currentIndex() < 0 ? QString() : snd_rate->currentText();
    chosen.nomd2 = nomd2->isChecked() ? 1 : 0;

    QString why;
    if (!BRXdata::save_settings(platform, chosen, &why)) {
        platform.message_box(QStringLiteral("The settings could not be saved to\n%1\n\n%2")
                                 .arg(BRXdata::settings_path(platform), why),
                             QStringLiteral("Error!"));
        return;
    }
    if (IwadIndicator *indicator = forms_.indicator())
        indicator->show_iwad_kind(chosen.doom_iwad);
    forms_.unload(FormId::doom_setup);
}

void doom_setup::Cancel_Button_Click() {
    forms_.unload(FormId::doom_setup);
}

void doom_setup::reject() {
    Cancel_Button_Click();
}

} // namespace brx
