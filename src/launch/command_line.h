// The engine's command line, built from the stored settings, a launch request and the game
// the IWAD is (as the main window's indicator shows it): fixed option literals, each with its
// own leading blank, in a fixed order. Paths and typed values go in exactly as they stand: not
// quoted, trimmed or checked. From the same pieces comes the argument vector the engine is
// started with, so that the program that runs is the configured engine and each path reaches
// it whole.
#pragma once

#include "command_split.h"
#include "launch_request.h"
#include "record.h"
#include "wad_kind.h"

#include <QStringList>

namespace brx {

struct EngineCommand {
    // The engine is ZDoomGL, which is started from its own folder.
    bool zdoomgl = false;
    // ZDoomGL only: the folder that holds the engine file, in native form.
    QString folder;
    // A join without the host's address: there is nothing to start.
    bool missing_host_address = false;
    // The engine's family cannot do what was asked, or a typed limit is no whole number: the
    // message saying so, nothing to start.
    QString refusal;
    QString command_line;
    // The same call as the engine gets it: the engine path as stored, then one argument per
    // option and value. The IWAD and the Dehacked patch are one argument each, whatever they
    // hold; the external files are split at blanks, except where a run of pieces names an
    // existing file (the longest wins); typed values are split at blanks. Empty when there is
    // nothing to start.
    QStringList arguments;
};

// The files as the engine finds them: relative paths from this folder (the current one when
// it is empty).
PathLookup file_lookup(const QString &folder);

EngineCommand engine_command(const Settings &settings, const LaunchRequest &request,
                             WadKind iwad_kind);

} // namespace brx
