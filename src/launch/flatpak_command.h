// Engines installed with Flatpak run in a sandbox that sees none of the player's files unless
// told: such an engine is started as `flatpak run`, with read access to the folder of each file
// its command line names. Flatpak refuses the system's folders (/usr, /etc...) as such
// grants: files under /usr are reached through the host's system, mounted in the sandbox
// under /run/host.
#pragma once

#include "command_line.h"

namespace brx {

// The Flatpak application an engine path names: the file name of an export
// (".../flatpak/exports/bin/org.zdoom.GZDoom"), or a known application id given alone. Empty
// for any other engine.
QString flatpak_app(const QString &doom_exe);

// Makes the command a `flatpak run` of the application, the text shown to the user and the
// argument vector alike. `home` is the user's folder, under which the application's own data
// (~/.var/app/ID) needs no grant.
void run_through_flatpak(EngineCommand &command, const QString &app_id, const QString &home);

} // namespace brx
