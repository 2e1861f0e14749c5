#include "main_screen.h"

#include "brxdata.h"
#include "widgets.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace brx {

namespace {

QPushButton *button(QWidget *parent, const char *name, const char *caption, int top) {
    auto *widget = make<QPushButton>(parent, name, QString::fromLatin1(caption));
    place(widget, 5160, top, 1575, 495);
    return widget;
}

// A title picture, decoded when it is first shown: start-up pays for one picture only. A
// stretched picture is scaled to its box once, as it is decoded, rather than at every paint.
class TitlePicture : public QLabel {
public:
    enum Fit { natural, stretched };

    TitlePicture(QWidget *parent, const char *name, const char *resource, Fit fit)
        : QLabel(parent), resource_(QString::fromLatin1(resource)), fit_(fit) {
        setObjectName(QString::fromLatin1(name));
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

protected:
    void showEvent(QShowEvent *event) override {
        if (pixmap().isNull())
            setPixmap(load_picture(resource_, fit_ == stretched ? size() : QSize()));
        QLabel::showEvent(event);
    }

private:
    QString resource_;
    Fit fit_;
};

} // namespace

main_screen::main_screen(Forms &forms) : QWidget(nullptr), forms_(forms) {
    setObjectName(QStringLiteral("main_screen"));
    setWindowTitle(QStringLiteral("BRX"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    fix_client_size(this, 6825, 3585);

    launch_button = button(this, "launch_button", "Launch SP game...", 240);
    MP_Button = button(this, "MP_Button", "Multiplayer game...", 840);
    DCFG_Button = button(this, "DCFG_Button", "ZDoom Config...", 1440);
    Help_Button = button(this, "Help_Button", "About/Help!", 2040);
    quit_button = button(this, "quit_button", "Quit", 2640);

    Image1 = new TitlePicture(this, "Image1", ":/images/doom2_title.ppm", TitlePicture::stretched);
    place(Image1, 120, 120, 4860, 3060);
    Image2 = new TitlePicture(this, "Image2", ":/images/udoom_title.ppm", TitlePicture::natural);
    place(Image2, 120, -1320, 4800, 3000);
    Image2->hide();

    display_iwad = make<QLabel>(this, "display_iwad", QStringLiteral("IWAD: Unknown"));
    place(display_iwad, 120, 3240, 4815, 255);
    Launcher_version = make<QLabel>(this, "Launcher_version", QStringLiteral("Version x.xx"));
    Launcher_version->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    place(Launcher_version, 5160, 3240, 1575, 255);

    set_tab_order({launch_button, quit_button, MP_Button, DCFG_Button, Help_Button});
    press_focused_button_on_enter(this);
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
    BRXdata::load_settings(forms_, 0, settings);
    // Read again: on a first run the setup dialog has just saved what the user chose.
    settings = Settings();
    BRXdata::load_settings(forms_, 0, settings);
    show_iwad_kind(settings.doom_iwad);
}

QString main_screen::iwad_caption() const {
    return display_iwad->text();
}

void main_screen::show_iwad_kind(const QString &iwad_path) {
    if (iwad_path.right(8).toUpper() == u"DOOM.WAD") {
        Image1->hide();
        Image2->show();
        display_iwad->setText(QStringLiteral("IWAD: Doom"));
    } else if (iwad_path.right(9).toUpper() == u"DOOM2.WAD") {
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
