// The Windows start, built with plain MinGW and run under wine64 (or on Windows) by
// scripts/test-windows.sh: the shared start cases reach a stand-in engine (stand_in_engine.exe
// beside this test) as the expected arguments in the expected folder; the program path is
// found and put in quotes on its own, since wine quotes an unquoted one by itself; and a
// missing program, a folder and a non-program give their errors. Prints one line a case and
// exits with the number of failures.
#include "program_start.h"
#include "start_cases.h"

#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

using namespace brx;

namespace {

int failures = 0;

const wchar_t *win(const std::u16string &text) {
    return reinterpret_cast<const wchar_t *>(text.c_str());
}

std::u16string widen(std::string_view utf8) {
    std::u16string text(utf8.size(), u'\0');
    text.resize(std::size_t(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()),
                                                  reinterpret_cast<wchar_t *>(text.data()),
                                                  int(text.size()))));
    return text;
}

std::string narrow(const std::u16string &text) {
    std::string utf8(text.size() * 3, '\0');
    utf8.resize(std::size_t(::WideCharToMultiByte(
        CP_UTF8, 0, win(text), int(text.size()), utf8.data(), int(utf8.size()), nullptr, nullptr)));
    return utf8;
}

std::u16string with_folder(std::u16string text, const std::u16string &folder) {
    for (std::size_t at = text.find(u'@'); at != std::u16string::npos;
         at = text.find(u'@', at + folder.size()))
        text.replace(at, 1, folder);
    return text;
}

std::vector<std::u16string> split(const std::u16string &text, char16_t separator) {
    std::vector<std::u16string> parts;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find(separator, at)) != std::u16string::npos; at = end + 1)
        parts.push_back(text.substr(at, end - at));
    parts.push_back(text.substr(at));
    return parts;
}

void check(bool ok, const char *what, const char *name, const std::string &detail) {
    std::printf("%s: %s, %s%s%s\n", ok ? "PASS" : "FAIL", what, name, ok ? "" : ": ",
                ok ? "" : detail.c_str());
    failures += ok ? 0 : 1;
}

std::u16string this_folder() {
    std::u16string path(32768, u'\0');
    path.resize(::GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t *>(path.data()),
                                     DWORD(path.size())));
    return path.substr(0, path.find_last_of(u"\\/"));
}

// A fresh folder "<temp>\brx-<process>-<n>\My Games" with the files, the first of them the
// stand-in engine when it ends in ".exe".
std::u16string make_folder(const std::vector<std::u16string> &files) {
    static int count = 0;
    std::u16string temp(MAX_PATH + 1, u'\0');
    temp.resize(::GetTempPathW(DWORD(temp.size()), reinterpret_cast<wchar_t *>(temp.data())));
    const std::u16string root = temp + widen("brx-" + std::to_string(::GetCurrentProcessId()) +
                                             "-" + std::to_string(++count));
    const std::u16string folder = root + u"\\My Games";
    ::CreateDirectoryW(win(root), nullptr);
    ::CreateDirectoryW(win(folder), nullptr);
    for (const std::u16string &file : files) {
        const std::u16string path = folder + u'\\' + file;
        for (std::size_t at = folder.size() + 1;
             (at = path.find_first_of(u"\\/", at)) != std::u16string::npos; ++at)
            ::CreateDirectoryW(win(path.substr(0, at)), nullptr);
        if (&file == &files[0] && file.ends_with(u".exe")) {
            ::CopyFileW(win(this_folder() + u"\\stand_in_engine.exe"), win(path), FALSE);
        } else {
            const HANDLE handle = ::CreateFileW(win(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                FILE_ATTRIBUTE_NORMAL, nullptr);
            ::WriteFile(handle, "not a program", 13, nullptr, nullptr);
            ::CloseHandle(handle);
        }
    }
    return folder;
}

// The engine's report: its current folder, then its arguments.
std::vector<std::u16string> report(const std::u16string &folder) {
    const std::u16string path = folder + u"\\report";
    for (int wait = 0; wait < 400 && ::GetFileAttributesW(win(path)) == INVALID_FILE_ATTRIBUTES;
         ++wait)
        ::Sleep(50);
    const HANDLE file = ::CreateFileW(win(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string bytes(1 << 16, '\0');
    DWORD read = 0;
    if (file == INVALID_HANDLE_VALUE ||
        !::ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr))
        read = 0;
    ::CloseHandle(file);
    bytes.resize(read);
    std::vector<std::u16string> lines = split(widen(bytes), u'\n');
    lines.pop_back(); // after the last line end
    return lines;
}

std::string joined(const std::vector<std::u16string> &texts) {
    std::string text;
    for (const std::u16string &part : texts)
        text += '[' + narrow(part) + ']';
    return text;
}

} // namespace

int main() {
    for (const start_cases::Case &test : start_cases::cases) {
        const std::vector<std::u16string> files = split(widen(test.files), u'|');
        const std::u16string folder = make_folder(files);
        const std::u16string here =
            test.from_engine_folder ? folder : folder.substr(0, folder.rfind(u'\\'));
        ::SetCurrentDirectoryW(win(here));
        const std::u16string line = with_folder(widen(test.line), folder);

        const SplitCommand found = split_command(line, system_paths());
        const std::u16string engine = files[0].substr(files[0].find_last_of(u"\\/") + 1);
        const std::u16string program = found.arguments.empty() ? u"" : found.arguments[0];
        const bool blank = program.find(u' ') != std::u16string::npos;
        check(found.program.ends_with(engine) &&
                  found.quoted_line.starts_with(blank ? u'"' + program + u'"' : program),
              "program path", test.name,
              "program " + narrow(found.program) + " in " + narrow(found.quoted_line));

        const int error = start_program(line);
        std::vector<std::u16string> expected =
            split(with_folder(widen(test.arguments), folder), u'|');
        expected.insert(expected.begin(), here);
        const std::vector<std::u16string> received = report(folder);
        check(error == 0 && received == expected, "start", test.name,
              "error " + std::to_string(error) + ", received " + joined(received) + ", expected " +
                  joined(expected));
    }

    struct Failure {
        const char *name;
        const char *line;
        int error; // -1: any number but 0 and 53
    };
    const Failure failures_to_see[] = {
        {"missing file", "@\\zdoom.exe -iwad x", error_program_not_found},
        {"missing folder", "@\\none\\zdoom.exe -iwad x", error_program_not_found},
        {"empty engine path", " -iwad  -width  -height  +snd_samplerate ", error_program_not_found},
        {"not on the search path", "brx-no-such-engine -x", error_program_not_found},
        {"a folder", "@ -iwad x", error_program_not_found},
        {"not a program by its name", "@\\notes.txt -iwad x", error_program_not_found},
        {"a batch file, which cmd.exe would read", "@\\run.bat -iwad x & ran",
         error_program_not_found},
        {"not a program", "@\\text.exe -iwad x", -1},
    };
    const std::u16string folder = make_folder({u"notes.txt", u"run.bat", u"text.exe"});
    for (const Failure &failure : failures_to_see) {
        const int error = start_program(with_folder(widen(failure.line), folder));
        check(failure.error < 0 ? error != 0 && error != error_program_not_found
                                : error == failure.error,
              "failure", failure.name, "error " + std::to_string(error));
    }
    std::printf("%d failed\n", failures);
    return failures;
}
