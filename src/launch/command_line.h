// The engine's command line, built from the stored settings, a launch request and the game
// the IWAD is (as the main window's indicator shows it): fixed option literals, each with its own
// leading blank, in a fixed order. Paths and typed values go in exactly as they stand: not quoted,
// trimmed or checked.
#pragma once

#include "launch_request.h"
#include "record.h"
#include "wad_kind.h"

namespace brx {

struct EngineCommand {
    // The engine is ZDoomGL, which is started from its own folder.
    bool zdoomgl = false;
    // ZDoomGL only: the folder that holds the engine file, in native form.
    QString folder;
    // A join without the host's address: there is nothing to start.
    bool missing_host_address = false;
    // The engine's family cannot do what was asked: the message saying so, nothing to start.
    QString refusal;
    QString command_line;
};

EngineCommand engine_command(const Settings &settings, const LaunchRequest &request,
                             WadKind iwad_kind);

} // namespace brx
