// Starting another program from one command line, as the engine and the help viewer are
// started: no shell is ever involved, the program runs detached in the current directory
// and outlives the launcher.
#pragma once

#include <QString>

namespace brx {

// Returns 0 once the program has been started, error_file_not_found (53) when no program
// can be found, another error number for any other failure.
int start_program(const QString &command_line);

} // namespace brx
