// Starting another program from one command line, as the engine and the help viewer are
// started: no shell is ever involved, the program runs detached in the current directory
// and outlives the launcher. Plain standard C++, so that the Windows start builds and is
// tested without Qt; Qt code gets a wrapper that takes a QString.
#pragma once

#include "command_split.h"

#include <functional>
#include <string>
#include <string_view>

#ifdef QT_CORE_LIB
#include <QString>
#endif

namespace brx {

// Error numbers of a start that failed. The first is the platform's error_file_not_found.
inline constexpr int error_program_not_found = 53;
inline constexpr int error_out_of_memory = 7;
inline constexpr int error_permission_denied = 70;
inline constexpr int error_file_access = 75;
// The system cannot take a command line, or an argument, this long.
inline constexpr int error_line_too_long = 5;
// A NUL ends a program's argument: a line that holds one would reach it cut short.
inline constexpr int error_line_holds_nul = 93;

// How a started program ended.
struct ProgramEnd {
    int status = 0;         // its exit status, or the number of the signal that ended it
    bool signalled = false; // ended by a signal
    double seconds = 0;     // from the start to the end
};

struct StartOptions {
    // The file the program's standard output and error go to, created or emptied. Empty, or a
    // file that cannot be opened, leaves them the launcher's own.
    std::u16string log;
    // Called once the program has ended, on the thread that waited for it.
    std::function<void(const ProgramEnd &)> ended;
};

// The lookup against this machine's own files.
PathLookup system_paths();

// Returns 0 once the program has been started, error_program_not_found when no program can
// be found, another error number for any other failure.
int start_program(std::u16string_view command_line, const StartOptions &options = {});

#ifdef QT_CORE_LIB
inline int start_program(const QString &command_line, const StartOptions &options = {}) {
    return start_program(command_line.toStdU16String(), options);
}
#endif

} // namespace brx
