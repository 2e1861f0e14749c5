#include "doom_launch.h"

#include "brxdata.h"
#include "command_line.h"
#include "forms.h"
#include "platform.h"

namespace brx::doom_launch {

void launch_game(Forms &forms, const LaunchRequest &request) {
    Platform &platform = forms.platform();

    Settings settings;
    settings.card = 2;
    settings.nomd2 = 0;
    BRXdata::load_settings(forms, 0, settings);

    // Read after the load: a first run's setup dialog may just have changed it.
    const IwadIndicator *indicator = forms.indicator();
    const EngineCommand command =
        engine_command(settings, request, indicator ? indicator->iwad_caption() : QString());

    // When the folder cannot be made current, the engine is started from the current one.
    if (command.zdoomgl)
        platform.set_current_dir(command.folder);

    if (command.missing_host_address) {
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
