// The engine's command line, built from the stored settings, a launch request and the game
// the IWAD is (as the main window's indicator shows it): fixed option literals, each with its
// own leading blank, in a fixed order. Paths and typed values go in exactly as they stand: not
// quoted, trimmed or checked. From the same pieces comes the argument vector the engine is
// started with, so that the program that runs is the configured engine and each path reaches
// it whole.
#pragma once

#include "command_split.h"
#include "engine_family.h"
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

// How an engine of the family is sent to a level: its option and value ("-warp" and "2 3",
// "+map" and "MYMAP"), or, when it has no way there, why not. A level named as a map's lump is
// (capitals, digits and the lump name's signs, at most 8) goes by its own name: ExMy and MAPxx
// by -warp where the family's reaches it and the IWAD's kind matches, any other by the
// family's map option. Any other text (the fixed lists' "Map07") gives the warp numbers by
// the IWAD's kind, character by character, as it always has.
struct LevelWarp {
    const char16_t *option = nullptr;
    QString value;
    QString unreachable; // why the family cannot start the level; empty when it can
};
LevelWarp level_warp(const EngineFamily &family, const QString &level, WadKind iwad_kind);

EngineCommand engine_command(const Settings &settings, const LaunchRequest &request,
                             WadKind iwad_kind);

} // namespace brx
