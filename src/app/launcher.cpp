#include "launcher.h"

#include "aboutbox.h"
#include "doom_setup.h"
#include "form_rules.h"
#include "launch_multi.h"
#include "launch_solo.h"
#include "main_screen.h"
#include "picture.h"
#include "qt_platform.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

namespace brx {

bool prefer_xwayland(const QString &wayland_display, const QString &display,
                     const QString &chosen_platform, const QStringList &arguments) {
    return !wayland_display.isEmpty() && !display.isEmpty() && chosen_platform.isEmpty() &&
           !arguments.contains(QStringLiteral("-platform")) &&
           !arguments.contains(QStringLiteral("--platform"));
}

void define_forms(Forms &forms) {
    forms.define<doom_setup>(FormId::doom_setup);
    forms.define<launch_solo>(FormId::launch_solo);
    forms.define<launch_multi>(FormId::launch_multi);
    forms.define<aboutbox>(FormId::aboutbox);
}

void set_look(QApplication &app) {
    // The windows have fixed sizes: a compact sans serif lets every caption fit.
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(8);
    app.setFont(font);
    app.setWindowIcon(QIcon(load_picture(QStringLiteral(":/images/brx.png"))));
    app.setApplicationName(QStringLiteral("BRX"));
}

int run_launcher(QApplication &app) {
    set_look(app);
    QtPlatform platform;
    Forms forms(platform);
    define_forms(forms);

    main_screen window(forms);
    forms.set_main(&window);
    // Centred before start-up, so that a first run's dialogs open centred on it.
    centre_on_screen(window);
    // The machine is scanned for engines and IWADs while the window starts; the setup offers
    // what was found once the scan is done, and never waits for it.
    window.game_library().scan(Environment::from_system());
    window.Form_Load();
    window.show();
    return app.exec();
}

} // namespace brx
