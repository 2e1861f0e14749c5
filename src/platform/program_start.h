// Starting another program from one command line, as the engine and the help viewer are
// started: no shell is ever involved, the program runs detached in the current directory
// and outlives the launcher.
#pragma once

#include <QString>

namespace brx {

// Error numbers of a start that failed for another reason than a missing program.
inline constexpr int error_out_of_memory = 7;
inline constexpr int error_permission_denied = 70;
inline constexpr int error_file_access = 75;

// Returns 0 once the program has been started, error_file_not_found (53) when no program
// can be found, another error number for any other failure.
int start_program(const QString &command_line);

} // namespace brx
