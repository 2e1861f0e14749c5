// The start on Windows: CreateProcessW runs the program our own lookup found, in a normal
// window, in the current directory, without waiting. A path with blanks that the line holds
// without quotes is put in double quotes first, so that the program's C runtime reads it as
// one argument. Its output goes to the log file when one is asked for, and a thread waits for
// its end to tell how it ended. Win32 alone, no Qt.
#include "program_start.h"

#include <chrono>
#include <string>
#include <system_error>
#include <thread>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 text is UTF-16");

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
    case ERROR_FILENAME_EXCED_RANGE:
        return error_command_too_long;
    default:
        return error_file_access;
    }
}

const wchar_t *win(const std::u16string &text) {
    return reinterpret_cast<const wchar_t *>(text.c_str());
}

char16_t lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

bool ends_with(const std::u16string &text, std::u16string_view end) {
    if (text.size() < end.size())
        return false;
    for (std::size_t i = 0; i < end.size(); ++i) {
        if (lower(text[text.size() - end.size() + i]) != lower(end[i]))
            return false;
    }
    return true;
}

PathKind kind_of(const std::u16string &path) {
    const DWORD attributes =
        path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(win(path));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::none;
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? PathKind::folder : PathKind::file;
}

// Only what CreateProcessW runs by itself: a batch file would be handed to cmd.exe, which
// reads the whole line as a shell command.
bool runnable(const std::u16string &path) {
    return (ends_with(path, u".exe") || ends_with(path, u".com")) &&
           kind_of(path) == PathKind::file;
}

// The extensions a bare program name is tried with, from PATHEXT, in its order.
std::vector<std::u16string> program_extensions() {
    std::u16string list(1024, u'\0');
    const DWORD size = ::GetEnvironmentVariableW(
        L"PATHEXT", reinterpret_cast<wchar_t *>(list.data()), DWORD(list.size()));
    list.resize(size > 0 && size < list.size() ? size : 0);
    if (list.empty())
        list = u".COM;.EXE";
    std::vector<std::u16string> extensions;
    for (std::size_t at = 0; at <= list.size();) {
        std::size_t end = list.find(u';', at);
        if (end == std::u16string::npos)
            end = list.size();
        const std::u16string extension = list.substr(at, end - at);
        if (ends_with(extension, u".exe") || ends_with(extension, u".com"))
            extensions.push_back(extension);
        at = end + 1;
    }
    return extensions;
}

// The system's own search for a program: the launcher's folder, the current folder, the
// system folders and PATH. The extension is added only to a name that has none.
std::u16string search(const std::u16string &name, const std::u16string &extension) {
    std::u16string found(MAX_PATH, u'\0');
    for (;;) {
        const DWORD size =
            ::SearchPathW(nullptr, win(name), extension.empty() ? nullptr : win(extension),
                          DWORD(found.size()), reinterpret_cast<wchar_t *>(found.data()), nullptr);
        if (size == 0)
            return {};
        if (size < found.size()) {
            found.resize(size);
            return runnable(found) ? found : std::u16string();
        }
        found.resize(size);
    }
}

// The log, as a handle the program inherits, or nothing.
HANDLE open_log(const std::u16string &log) {
    if (log.empty())
        return INVALID_HANDLE_VALUE;
    SECURITY_ATTRIBUTES inherited = {};
    inherited.nLength = static_cast<DWORD>(sizeof inherited);
    inherited.bInheritHandle = TRUE;
    return ::CreateFileW(win(log), GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherited,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Waits for the program's end in the background and tells how it ended.
void watch(HANDLE process, std::chrono::steady_clock::time_point started,
           const std::function<void(const ProgramEnd &)> &ended) {
    if (ended) {
        try {
            std::thread([process, started, ended] {
                ::WaitForSingleObject(process, INFINITE);
                DWORD status = 0;
                ::GetExitCodeProcess(process, &status);
                ::CloseHandle(process);
                ProgramEnd end;
                end.status = static_cast<int>(status);
                end.seconds =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - started)
                        .count();
                ended(end);
            }).detach();
            return;
        } catch (const std::system_error &) {
            // No thread to spare: the program runs all the same, unwatched.
        }
    }
    ::CloseHandle(process);
}

} // namespace

PathLookup system_paths() {
    PathLookup lookup;
    lookup.separators = u"\\/";
    lookup.kind = kind_of;
    lookup.program = [](const std::u16string &candidate) -> std::u16string {
        if (candidate.empty())
            return {};
        const std::size_t name = candidate.find_last_of(u"\\/:");
        const bool has_extension =
            candidate.find(u'.', name == std::u16string::npos ? 0 : name + 1) !=
            std::u16string::npos;
        if (name == std::u16string::npos) {
            if (has_extension)
                return search(candidate, {});
            for (const std::u16string &extension : program_extensions()) {
                const std::u16string found = search(candidate, extension);
                if (!found.empty())
                    return found;
            }
            return {};
        }
        // A start adds the ".exe" that a program name without an extension leaves out.
        const std::u16string path = has_extension ? candidate : candidate + u".exe";
        return runnable(path) ? path : std::u16string();
    };
    return lookup;
}

int start_program(const ProgramCall &call, const StartOptions &options) {
    const std::u16string &command_line = call.line;
    if (command_line.find(u'\0') != std::u16string::npos)
        return error_nul_in_command;
    const SplitCommand split = split_command(command_line, system_paths());
    if (split.program.empty())
        return error_file_not_found;
    // What CreateProcessW takes at most, its closing NUL included.
    if (split.quoted_line.size() >= 32767)
        return error_command_too_long;

    // The program is named on its own as well, so that the start runs the file we found and
    // never tries the pieces of an unquoted path in turn. CreateProcessW may write into the
    // command line, so it gets a copy of its own.
    std::u16string line = split.quoted_line;
    STARTUPINFOW startup = {};
    startup.cb = static_cast<DWORD>(sizeof startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    // The program inherits the log's handle and no other handle of the launcher's.
    STARTUPINFOEXW extended = {};
    extended.StartupInfo = startup;
    extended.StartupInfo.cb = static_cast<DWORD>(sizeof extended);
    HANDLE log = open_log(options.log);
    if (!options.log.empty() && log == INVALID_HANDLE_VALUE && options.log_problem)
        *options.log_problem = u"it cannot be opened for writing";
    std::string list_space;
    if (log != INVALID_HANDLE_VALUE) {
        SIZE_T size = 0;
        ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        list_space.resize(size);
        extended.lpAttributeList =
            reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(list_space.data());
        if (::InitializeProcThreadAttributeList(extended.lpAttributeList, 1, 0, &size) &&
            ::UpdateProcThreadAttribute(extended.lpAttributeList, 0,
                                        PROC_THREAD_ATTRIBUTE_HANDLE_LIST, &log, sizeof log,
                                        nullptr, nullptr)) {
            extended.StartupInfo.dwFlags |= STARTF_USESTDHANDLES;
            extended.StartupInfo.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
            extended.StartupInfo.hStdOutput = log;
            extended.StartupInfo.hStdError = log;
        } else {
            extended.lpAttributeList = nullptr;
            ::CloseHandle(log);
            log = INVALID_HANDLE_VALUE;
        }
    }
    const bool logged = log != INVALID_HANDLE_VALUE;
    PROCESS_INFORMATION process = {};
    const auto started = std::chrono::steady_clock::now();
    const BOOL created =
        ::CreateProcessW(win(split.program), reinterpret_cast<wchar_t *>(line.data()), nullptr,
                         nullptr, logged ? TRUE : FALSE,
                         CREATE_NEW_PROCESS_GROUP | (logged ? EXTENDED_STARTUPINFO_PRESENT : 0),
                         nullptr, nullptr, logged ? &extended.StartupInfo : &startup, &process);
    const DWORD error = ::GetLastError();
    if (logged) {
        ::DeleteProcThreadAttributeList(extended.lpAttributeList);
        ::CloseHandle(log);
    }
    if (!created)
        return error_number(error);
    ::CloseHandle(process.hThread);
    watch(process.hProcess, started, options.ended);
    return 0;
}

} // namespace brx
