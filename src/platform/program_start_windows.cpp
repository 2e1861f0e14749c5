// The start on Windows: CreateProcessW with the command line, in a normal window, in the
// current directory, without waiting. A path with blanks that the line holds without quotes
// is put in double quotes first, so that the program's C runtime reads it as one argument.
#include "program_start.h"

#include "command_split.h"
#include "platform.h"

#include <string>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace brx {

namespace {

int error_number(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return error_file_not_found;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return error_permission_denied;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return error_out_of_memory;
    default:
        return error_file_access;
    }
}

} // namespace

int start_program(const QString &command_line) {
    if (command_line.trimmed().isEmpty())
        return error_file_not_found;

    // When our own search finds no program, the line goes as it is and the start's search,
    // which also looks beside the launcher and in the system folders, decides.
    const SplitCommand split = split_command(command_line, system_paths());
    const QString line = split.program.isEmpty() ? command_line : split.quoted_line;

    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::wstring buffer = line.toStdWString();
    STARTUPINFOW startup = {};
    startup.cb = static_cast<DWORD>(sizeof startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, CREATE_NEW_PROCESS_GROUP,
                          nullptr, nullptr, &startup, &process))
        return error_number(::GetLastError());
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return 0;
}

} // namespace brx
