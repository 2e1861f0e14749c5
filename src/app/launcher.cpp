#include "launcher.h"

#include "aboutbox.h"
#include "brxdata.h"
#include "doom_setup.h"
#include "files_editor.h"
#include "form_rules.h"
#include "game_presets.h"
#include "launch_multi.h"
#include "launch_solo.h"
#include "main_screen.h"
#include "picture.h"
#include "qt_platform.h"

#include <QApplication>
#include <QEventLoop>
#include <QFont>
#include <QIcon>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>

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
    forms.define<files_editor>(FormId::files_editor);
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

namespace {

// The launcher on the real desktop: the look first, so that the windows are built with it; the
// registry with every dialog; the main window as their owner.
struct Desktop {
    explicit Desktop(QApplication &app) : look((set_look(app), true)) {
        define_forms(forms);
        forms.set_main(&window);
    }
    bool look;
    QtPlatform platform;
    Forms forms{platform};
    main_screen window{forms};
};

} // namespace

int run_launcher(QApplication &app) {
    Desktop desktop(app);
    main_screen &window = desktop.window;
    // Centred before start-up, so that a first run's dialogs open centred on it.
    centre_on_screen(window);
    // What the scan learns is kept in the user's cache folder, so that the next start looks
    // again only into the folders changed since.
    if (const QString cache =
            QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        !cache.isEmpty())
        window.game_library().keep_cache_in(cache + QStringLiteral("/brixmoor/library.json"));
    // The machine is scanned for engines and IWADs while the window starts; the setup offers
    // what was found once the scan is done, and never waits for it.
    window.game_library().scan(Environment::from_system());
    window.Form_Load();
    window.show();
    return app.exec();
}

} // namespace brx

namespace brx {

namespace {

int fail(const QString &why) {
    std::fprintf(stderr, "brixmoor: %s\n", qUtf8Printable(why));
    return 1;
}

int list_presets() {
    QtPlatform platform;
    Presets presets;
    const PresetsFound found = read_presets_file(presets_location(platform).path, presets);
    if (found.kind == PresetsFound::damaged || found.kind == PresetsFound::unreadable)
        return fail(
            QStringLiteral("the presets file %1 cannot be read: %2").arg(found.path, found.reason));
    for (const Preset &preset : presets.presets)
        std::printf("%s\n", qUtf8Printable(preset.name));
    return 0;
}

int shortcut(const QString &name) {
    QtPlatform platform;
    Presets presets;
    read_presets_file(presets_location(platform).path, presets);
    if (!presets.find(name))
        return fail(QStringLiteral("there is no preset named \"%1\"").arg(name));
    QString why;
    const QString path =
        make_shortcut(platform, QCoreApplication::applicationFilePath(), name, &why);
    if (path.isEmpty())
        return fail(QString(why).replace(u'\n', u' '));
    std::printf("%s\n", qUtf8Printable(path));
    return 0;
}

int play(QApplication &app, const QString &name) {
    Desktop desktop(app);
    QtPlatform &platform = desktop.platform;
    Forms &forms = desktop.forms;
    main_screen &window = desktop.window;
    Settings settings;
    read_settings_file(BRXdata::settings_path(platform), settings);
    window.show_iwad_kind(settings.doom_iwad);

    const PresetsLoad load = load_presets(forms);
    const Preset *preset = load.presets.find(name);
    if (!preset)
        return fail(QStringLiteral("there is no preset named \"%1\"").arg(name));
    if (const QString why = play_preset(forms, *preset); !why.isEmpty())
        return fail(why);
    // An engine that ends at once is reported as after "Okay", while the launcher waits.
    QTimer::singleShot((early_end_seconds + 1) * 1000, &app, &QCoreApplication::quit);
    app.exec();
    return 0;
}

} // namespace

std::optional<int> run_options(int &argc, char *argv[], const QStringList &arguments) {
    const QString option = arguments.value(1);
    if (option == u"--list" && arguments.size() == 2) {
        QCoreApplication app(argc, argv);
        return list_presets();
    }
    if (option == u"--shortcut") {
        if (arguments.size() != 3)
            return fail(QStringLiteral("--shortcut takes the name of one preset"));
        QCoreApplication app(argc, argv);
        return shortcut(arguments[2]);
    }
    if (option == u"--play") {
        if (arguments.size() != 3)
            return fail(QStringLiteral("--play takes the name of one preset"));
        QApplication app(argc, argv);
        return play(app, arguments[2]);
    }
    if (option == u"--list")
        return fail(QStringLiteral("--list takes no more arguments"));
    return std::nullopt;
}

} // namespace brx
