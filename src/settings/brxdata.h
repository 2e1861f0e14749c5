// The settings module: loads and saves the settings record in brx.cfg, beside the launcher
// when it is there or can be made there (and the launcher is not installed in a system
// folder), else in the user's settings folder.
// Nothing keeps the settings in memory; every reader loads them afresh with its own starting
// values, which the loader overwrites only with what the file supplies. The reading itself
// shows nothing (settings_file.h); the main window tells the user what a load found.
#pragma once

#include "settings_file.h"
#include "store.h"

namespace brx {

class Forms;
class Platform;

namespace BRXdata {

// Where brx.cfg is, or is made by the next save. The two folders are looked at afresh on
// every call.
StoreLocation settings_location(const Platform &platform);
QString settings_path(const Platform &platform);

// silent 0 asks for prompting: when the file is missing, the first-run message is shown and
// the engine setup dialog opened; a file that cannot be read is reported. A damaged file is
// reported whatever silent says, and moved aside once the message has been seen when it is
// still damaged and unchanged (doom_iwad is cleared). Returns whether the load came to a whole
// record: only then did it show nothing, and a load straight after it would read the same.
bool load_settings(Forms &forms, qint16 silent, Settings &settings);
// The same, telling what the load came to.
SettingsFound load(Forms &forms, qint16 silent, Settings &settings);

// Replaces the file with the record as a whole, or leaves the old file as it was (see
// atomic_save()). On failure, error (when given) says why.
bool save_settings(const Platform &platform, const Settings &settings, QString *error = nullptr);

} // namespace BRXdata
} // namespace brx
