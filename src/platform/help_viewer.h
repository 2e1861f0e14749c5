// The help off Windows, where there is no HTML Help viewer to start with "hh.exe BRX.chm":
// the HTML help that lies beside the launcher (help/index.html), or for a launcher installed
// in a bin folder in ../share/brixmoor/help, opens in the desktop's own viewer instead,
// started detached and without a shell.
#pragma once

#include <QString>

namespace brx {

// Returns 0 once the viewer has been started, error_file_not_found (53) when the help is
// missing or no viewer can be started.
int open_help(const QString &program_folder);

} // namespace brx
