// The one place where a game is started: both game dialogs hand their launch request to
// launch_game from their "Okay" button.
#pragma once

#include "launch_request.h"

namespace brx {

class Forms;

namespace doom_launch {

// Reloads the settings, builds the engine's command line, starts the engine (from its own
// folder when it is ZDoomGL) and closes both game dialogs. A failed start is reported and
// opens the engine setup dialog; a join without the host's address is reported and starts
// nothing. Every call ends with the launcher's own folder as the current directory. Returns
// whether the engine was started.
bool launch_game(Forms &forms, const LaunchRequest &request);

// The command line that launch_game would start for this request now, built the same way
// from the stored settings (read silently); empty for a join without the host's address.
QString command_line_preview(Forms &forms, const LaunchRequest &request);

} // namespace doom_launch
} // namespace brx
