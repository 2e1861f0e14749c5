#include "doom_launch.h"

#include "brxdata.h"
#include "command_line.h"
#include "forms.h"
#include "platform.h"

namespace brx::doom_launch {

namespace {

// The command for the stored settings, loaded with the launch's own presets, and the IWAD
// indicator's caption, read after the load: a first run's setup may just have changed it.
EngineCommand command_for(Forms &forms, qint16 silent, const LaunchRequest &request) {
    Settings settings;
    settings.card = 2;
    settings.nomd2 = 0;
    BRXdata::load_settings(forms, silent, settings);
    const IwadIndicator *indicator = forms.indicator();
    return engine_command(settings, request, indicator ? indicator->iwad_caption() : QString());
}

} // namespace

QString command_line_preview(Forms &forms, const LaunchRequest &request) {
    return command_for(forms, -1, request).command_line;
}

void launch_game(Forms &forms, const LaunchRequest &request) {
    Platform &platform = forms.platform();
    const EngineCommand command = command_for(forms, 0, request);

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
        if (platform.start_program(command.command_line) != 0) {
            platform.message_box(QStringLiteral("Doom executable not found"));
            forms.show_modal(FormId::doom_setup);
        }
        forms.unload(FormId::launch_solo);
        forms.unload(FormId::launch_multi);
    }

    platform.set_current_dir(platform.program_folder());
}

} // namespace brx::doom_launch
