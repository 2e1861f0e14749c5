// The start on Windows: CreateProcessW runs the program our own lookup found, in a normal
// window, in the current directory, without waiting. A path with blanks that the line holds
// without quotes is put in double quotes first, so that the program's C runtime reads it as
// one argument. Win32 alone, no Qt.
#include "program_start.h"

#include <string>

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
        return error_program_not_found;
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

int start_program(std::u16string_view command_line) {
    const SplitCommand split = split_command(command_line, system_paths());
    if (split.program.empty())
        return error_program_not_found;

    // The program is named on its own as well, so that the start runs the file we found and
    // never tries the pieces of an unquoted path in turn. CreateProcessW may write into the
    // command line, so it gets a copy of its own.
    std::u16string line = split.quoted_line;
    STARTUPINFOW startup = {};
    startup.cb = static_cast<DWORD>(sizeof startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(win(split.program), reinterpret_cast<wchar_t *>(line.data()), nullptr,
                          nullptr, FALSE, CREATE_NEW_PROCESS_GROUP, nullptr, nullptr, &startup,
                          &process))
        return error_number(::GetLastError());
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return 0;
}

} // namespace brx
