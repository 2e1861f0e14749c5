// Starting another program, as the engine and the help viewer are started: no shell is ever
// involved, the program runs detached in the current directory and outlives the launcher.
// A POSIX start runs the argument vector; a Windows start runs the one command line. Plain
// standard C++, so that the Windows start builds and is tested without Qt; Qt code gets a
// wrapper that takes Qt strings.
#pragma once

#include "command_split.h"
#include "start_errors.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#ifdef QT_CORE_LIB
#include <QStringList>
#endif

namespace brx {

// How a started program ended.
struct ProgramEnd {
    int status = 0;         // its exit status, or the number of the signal that ended it
    bool signalled = false; // ended by a signal
    double seconds = 0;     // from the start to the end
};

// One call of a program, in both forms.
struct ProgramCall {
    // The program as named (a bare name is looked up on PATH, as execvp would), then its
    // arguments. A wrapper that runs the program (a sandbox's runner) goes before it.
    std::vector<std::u16string> arguments;
    // The same call as one command line, paths unquoted.
    std::u16string line;
};

// The most a log grows to while the launcher watches it: past this, it keeps only its end.
inline constexpr long long log_cap = 16 << 20;

struct StartOptions {
    // The file the program's standard output and error go to, created or emptied. Empty
    // leaves them the launcher's own. A log that cannot be used (on POSIX systems: anything
    // but a plain file of the user's, a link included) is never opened for reading or
    // writing; the output then goes nowhere, and log_problem is told why.
    std::u16string log;
    // Called once the program has ended, on the thread that waited for it.
    std::function<void(const ProgramEnd &)> ended;
    // Set to why the log cannot be written, when it cannot; left alone otherwise.
    std::u16string *log_problem = nullptr;
};

#ifdef _WIN32
// The lookup against this machine's own files, by which the command line is split.
PathLookup system_paths();
#endif

// Returns 0 once the program has been started, error_file_not_found when no program can
// be found, another error number for any other failure.
int start_program(const ProgramCall &call, const StartOptions &options = {});

#ifdef QT_CORE_LIB
inline ProgramCall program_call(const QStringList &arguments, const QString &line) {
    ProgramCall call;
    for (const QString &argument : arguments)
        call.arguments.push_back(argument.toStdU16String());
    call.line = line.toStdU16String();
    return call;
}
#endif

} // namespace brx
