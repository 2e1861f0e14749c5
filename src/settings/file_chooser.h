// The file choosers of the dialogs ("..." in the setup dialog, "External files..." in the game
// dialogs): reload the settings, browse from a stored path, and put the chosen file where the
// selected filter says, or hand back the files chosen.
#pragma once

#include "platform.h"
#include "record.h"

#include <QList>

class QLineEdit;

namespace brx {

class Forms;

// Where a file chosen under one filter goes: into a box, replacing its text or appended to it
// after a blank.
struct FileTarget {
    enum How { replace, append };
    QLineEdit *box = nullptr;
    How how = replace;
};

// Loads the settings (prompting for a first run when silent is 0), browses from the stored
// path that `start` names (or, when none is stored, from request.start), and puts the chosen file
// where targets[filter - 1] says. Which filter was selected decides, not the file's extension. A
// filter without a target, Cancel and any failure of the dialog change nothing and say nothing.
void choose_file(Forms &forms, qint16 silent, FileRequest request, QString Settings::*start,
                 const QList<FileTarget> &targets);

// Loads the settings as choose_file() does and lets the user choose several files at once,
// browsing from the stored path that `start` names. Nothing on Cancel or a failure.
std::optional<FilesChoice> choose_files(Forms &forms, qint16 silent, FileRequest request,
                                        QString Settings::*start);

} // namespace brx
