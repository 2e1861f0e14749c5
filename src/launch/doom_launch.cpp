#include "doom_launch.h"

#include "brxdata.h"
#include "command_line.h"
#include "flatpak_command.h"
#include "game_log.h"
#include "platform.h"
#include "window_list.h"

#include <QDir>
#include <QFile>

namespace brx::doom_launch {

namespace {

// The launch's own presets, which the stored settings overwrite.
Settings launch_presets() {
    Settings settings;
    settings.card = 2;
    settings.nomd2 = 0;
    return settings;
}

// The command for the stored settings and the IWAD's kind, read after the load: a first run's
// setup may just have changed it.
EngineCommand command_for(Forms &forms, const LaunchRequest &request, const Settings &settings) {
    const MainWindow *main = main_window(forms);
    EngineCommand command =
        engine_command(settings, request, main ? main->iwad_kind() : WadKind::unknown);
    if (const QString app = flatpak_app(settings.doom_exe); !app.isEmpty())
        run_through_flatpak(command, app, QDir::homePath());
    return command;
}

} // namespace

QString command_line_preview(Forms &forms, const LaunchRequest &request) {
    // Read without a word: the tooltip never brings a message or the setup.
    Settings settings = launch_presets();
    read_settings_file(BRXdata::settings_path(forms.platform()), settings);
    return command_for(forms, request, settings).command_line;
}

bool launch_game(Forms &forms, const LaunchRequest &request) {
    Platform &platform = forms.platform();
    Settings settings = launch_presets();
    // A file that cannot be read has been reported; the game dialog stays open.
    if (BRXdata::load(forms, 0, settings).kind == SettingsFound::unreadable)
        return false;
    bool started = false;
    const EngineCommand command = command_for(forms, request, settings);

    // When the folder cannot be made current, the engine is started from the current one.
    if (command.zdoomgl)
        platform.set_current_dir(command.folder);

    if (!command.refusal.isEmpty()) {
        // The engine's family cannot play this game: the dialog stays open, for another choice.
        platform.message_box(command.refusal, QStringLiteral("BRX"));
    } else if (command.missing_host_address) {
        // The multiplayer dialog stays open with its entries, for the address to be typed.
        platform.message_box(QStringLiteral("You must enter the hosts IP Address"),
                             QStringLiteral("Error!"));
    } else {
        // The engine's output goes to the log, which is told when the engine stops at once.
        // The last game's log goes first, so that a log that cannot be written is never
        // mistaken for this game's.
        const QString log = game_log_path(platform.state_folder());
        QFile::remove(log);
        QDir().mkpath(platform.state_folder());
        const QString engine = settings.doom_exe;
        const StartWatch watch{
            log, [&platform, engine, log](const QString &how, const QString &problem) {
                platform.message_box(early_end_message(engine, how, log, problem));
            }};
        const int error = platform.start_program(command.arguments, command.command_line, watch);
        if (error == error_command_too_long || error == error_nul_in_command) {
            // No engine takes such a line: the dialog stays open with its entries, to shorten
            // the list of files or mend the value.
            platform.message_box(
                error == error_command_too_long
                    ? QStringLiteral("The command line is too long for the system (%1 "
                                     "characters). Choose fewer external files.")
                          .arg(command.command_line.size())
                    : QStringLiteral("The command line holds a NUL character, which no program "
                                     "can be given. Check the paths in the setup and the "
                                     "external files."),
                QStringLiteral("Error!"));
        } else {
            if (error != 0) {
                platform.message_box(QStringLiteral("Doom executable not found"));
                forms.show_modal(FormId::doom_setup);
            }
            started = error == 0;
            forms.unload(FormId::launch_solo);
            forms.unload(FormId::launch_multi);
        }
    }

    platform.set_current_dir(platform.program_folder());
    return started;
}

} // namespace brx::doom_launch
