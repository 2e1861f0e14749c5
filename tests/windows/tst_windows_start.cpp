// The Windows start, built with plain MinGW and run under wine64 (or on Windows) by
// scripts/test-windows.sh: the shared start cases reach a stand-in engine (a copy of this
// program) as the expected arguments in the expected folder; the program path is found and
// put in quotes on its own, since wine quotes an unquoted one by itself; and the shared
// failures give their errors; the engine's output reaches the log, and its end is told; a
// line too long for the system or holding a NUL is refused. Prints one line a case and exits with
// the number of failures.
#include "program_start.h"
#include "start_cases.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <windows.h>

using namespace brx;
namespace fs = std::filesystem;

namespace {

int failures = 0;

void check(bool ok, const char *what, const char *name, const std::u16string &detail) {
    std::printf("%s: %s, %s%s%s\n", ok ? "PASS" : "FAIL", what, name, ok ? "" : ": ",
                ok ? "" : reinterpret_cast<const char *>(fs::path(detail).u8string().c_str()));
    failures += ok ? 0 : 1;
}

// The text with every "@" replaced by the folder, spelt with backslashes.
std::u16string with_folder(std::u16string text, const fs::path &folder) {
    for (std::size_t at = text.find(u'@'); at != text.npos; at = text.find(u'@', at + 1))
        text.replace(at, 1, folder.u16string());
    return text;
}

fs::path this_program() {
    wchar_t path[MAX_PATH];
    return std::wstring(path, ::GetModuleFileNameW(nullptr, path, MAX_PATH));
}

// A fresh folder "<temp>\brx-<process>-<n>\My Games" with the files, '|' between: the first,
// when it ends in ".exe", a copy of this program, the others "not a program".
fs::path make_folder(const std::u16string &files) {
    static int count = 0;
    const fs::path folder = fs::temp_directory_path() /
                            std::to_wstring(::GetCurrentProcessId() * 100 + ++count) / "My Games";
    fs::remove_all(folder);
    for (std::size_t first = 0, end = 0; end < files.size(); first = end + 1) {
        end = std::min(files.find(u'|', first), files.size());
        const fs::path file = folder / files.substr(first, end - first);
        fs::create_directories(file.parent_path());
        if (first == 0 && file.extension() == ".exe")
            fs::copy_file(this_program(), file);
        else
            std::ofstream(file) << "not a program";
    }
    return folder;
}

} // namespace

int wmain(int argc, wchar_t **argv) {
    // A copy in a test folder is the stand-in engine: it writes its current folder and the
    // arguments its C runtime read, '|' before each, to "report" beside itself.
    if (const fs::path folder = this_program().parent_path(); folder.filename() == "My Games") {
        if (argc == 2 && std::wstring(argv[1]) == L"--fail") {
            std::printf("engine says no\n");
            std::fflush(stdout);
            return 3;
        }
        std::wstring text = fs::current_path();
        for (int i = 1; i < argc; ++i)
            text += L'|' + std::wstring(argv[i]);
        std::ofstream(folder / "report.part", std::ios::binary)
            .write(reinterpret_cast<const char *>(text.data()), std::streamsize(2 * text.size()));
        fs::rename(folder / "report.part", folder / "report"); // never read half-written
        return 0;
    }

    for (const start_cases::Case &test : start_cases::cases) {
        const fs::path folder = make_folder(test.files);
        const fs::path here = test.from_engine_folder ? folder : folder.parent_path();
        fs::current_path(here);
        const std::u16string line = with_folder(test.line, folder);

        // The program path on its own, ".exe" added, in quotes when it has a blank.
        const SplitCommand found = split_command(line, system_paths());
        const std::u16string program = found.arguments.empty() ? u"" : found.arguments[0];
        const bool blank = program.find(u' ') != program.npos;
        check(found.program.ends_with(u".exe") &&
                  found.quoted_line.starts_with(blank ? u'"' + program + u'"' : program),
              "program path", test.name, u"program " + found.program + u" in " + found.quoted_line);

        const int error = start_program({{}, line});
        for (int wait = 0; wait < 400 && !fs::exists(folder / "report"); ++wait)
            ::Sleep(50);
        std::ifstream report(folder / "report", std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(report), {}};
        const std::u16string received(reinterpret_cast<const char16_t *>(bytes.data()),
                                      bytes.size() / 2);
        const auto expected = here.u16string() + u'|' + with_folder(test.arguments, folder);
        check(error == 0 && received == expected, "start", test.name,
              u"error " + fs::path(std::to_string(error)).u16string() + u", received " + received +
                  u", expected " + expected);
    }

    const fs::path folder = make_folder(u"plain.txt|run.bat|text.exe");
    for (const start_cases::Failure &failure : start_cases::failures) {
        const int error = start_program({{}, with_folder(failure.line, folder)});
        check(error != 0 && (error == error_file_not_found) == failure.not_found, "failure",
              failure.name, u"error " + fs::path(std::to_string(error)).u16string());
    }
    // The output in the log, the end as it was.
    const fs::path engine = make_folder(u"zdoom.exe") / "zdoom.exe";
    const fs::path log = engine.parent_path() / "last-game.log";
    std::atomic<int> status = -1;
    const int error =
        start_program({{}, u'"' + engine.u16string() + u"\" --fail"},
                      {log.u16string(), [&](const ProgramEnd &end) { status = end.status; }});
    for (int wait = 0; wait < 400 && status < 0; ++wait)
        ::Sleep(50);
    std::ifstream logged(log, std::ios::binary);
    const std::string output{std::istreambuf_iterator<char>(logged), {}};
    check(error == 0 && status == 3 && output.starts_with("engine says no"), "log", "exit 3",
          u"error " + fs::path(std::to_string(error)).u16string() + u", status " +
              fs::path(std::to_string(status)).u16string() + u", log " +
              fs::path(output).u16string());

    const std::u16string too_long = engine.u16string() + u" -file " + std::u16string(40000, u'a');
    check(start_program({{}, too_long}) == error_command_too_long, "failure", "a line too long",
          u"");
    check(start_program({{}, engine.u16string() + std::u16string(1, u'\0') + u"x"}) ==
              error_nul_in_command,
          "failure", "a NUL in the line", u"");
    std::printf("%d failed\n", failures);
    return failures;
}
