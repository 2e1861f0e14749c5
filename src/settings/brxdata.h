// The settings module: loads and saves the settings record in brx.cfg, beside the launcher
// when it is there or can be made there, else in the user's settings folder.
// Nothing keeps the settings in memory; every reader loads them afresh with its own starting
// values, which the loader overwrites only with what the file supplies.
#pragma once

#include "record.h"

namespace brx {

class Forms;
class Platform;

namespace BRXdata {

// Where brx.cfg is, or is made by the next save. The two folders are looked at afresh on
// every call.
QString settings_path(const Platform &platform);

// silent 0 asks for prompting: when the file is missing, the first-run message is shown and
// the engine setup dialog opened. A damaged file is reported, deleted, and doom_iwad
// cleared. Returns whether the file held a whole record: only then did the load not show
// anything, and a load straight after it would read the same.
bool load_settings(Forms &forms, qint16 silent, Settings &settings);

// Replaces the file with the record as a whole, or leaves the old file as it was. Through a
// link it writes to the link's target, and only to a plain file or where nothing is yet. The
// user's settings folder is made when it is missing.
// On failure, error (when given) says why.
bool save_settings(const Platform &platform, const Settings &settings, QString *error = nullptr);

} // namespace BRXdata
} // namespace brx
