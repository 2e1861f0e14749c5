// The presets file as the game dialogs use it: found beside brx.cfg by the same rules, read
// afresh for every use with the main window telling the user what the read found, and saved
// atomically. A file that is there but could not be read is never saved over. Also what a
// preset does outside the dialogs: start its game, and the desktop shortcut that does so.
#pragma once

#include "presets.h"
#include "store.h"

namespace brx {

class Forms;
class Platform;

StoreLocation presets_location(const Platform &platform);

struct PresetsLoad {
    Presets presets;
    // Whether a save may replace the file: it was read, or there is none.
    bool savable = false;
};

// Reads the presets file; the main window (when there is one) is told what was found.
PresetsLoad load_presets(Forms &forms);
// Saves the presets; a failure is reported. Returns whether they were saved.
bool save_presets(Forms &forms, const Presets &presets);

// Makes the preset's engine and IWAD the current ones when they differ (saved to brx.cfg, the
// main window's indicator following). A failed save is reported. Returns whether the current
// ones are now the preset's.
bool use_preset_files(Forms &forms, const Preset &preset);

// Starts the preset's game as "Okay" of its dialog would. Returns an empty text when the game
// was started, else why not, in one line.
QString play_preset(Forms &forms, const Preset &preset);

// The desktop entry that starts the preset (`brixmoor --play "NAME"`), for the launcher at
// program; an empty text when the name cannot be written in one (see why).
QByteArray desktop_entry(const QString &program, const QString &name, QString *why = nullptr);
// Writes the preset's shortcut: a desktop entry in $XDG_DATA_HOME/applications, or on Windows
// a .cmd beside the presets file. Returns its path, or an empty text with why set.
QString make_shortcut(const Platform &platform, const QString &program, const QString &name,
                      QString *why);

} // namespace brx
