// Turns the one command line the launcher builds into a program and an argument vector, the
// way a Windows start and a Windows program's C runtime would: blanks and tabs separate,
// double quotes group, and the program is the shortest run of leading pieces that names an
// executable file. Paths are put into the line without quotes, so a path with blanks arrives
// in pieces; a run of pieces that together name an existing file, where the first piece alone
// names no file, is put back together into one argument.
//
// Plain standard C++ on UTF-16 text, so that the Windows start builds without Qt. The file
// system is asked through a PathLookup, so that the rules can be tried on paths of either
// style without the files.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brx {

enum class PathKind { none, file, folder };

struct PathLookup {
    // What the path names, relative to the current folder.
    std::function<PathKind(const std::u16string &path)> kind;
    // The file to run for a candidate program: the candidate itself when it names an
    // executable file, the file found on the search path for a bare name, or nothing.
    std::function<std::u16string(const std::u16string &candidate)> program;
    // The characters that separate the folders of a path.
    std::u16string separators;
};

struct SplitCommand {
    // The file to run; empty when no program was found.
    std::u16string program;
    // The argument vector; the first one is the program as the line spells it.
    std::vector<std::u16string> arguments;
    // The line again, with every run of pieces that was put back together (program
    // included) in double quotes, so that a Windows start and the program's C runtime read
    // the same arguments. Everything else stands as it stood.
    std::u16string quoted_line;
};

SplitCommand split_command(std::u16string_view command_line, const PathLookup &lookup);

// A list of paths as a program gets them one by one: split at blanks and tabs, except that
// a run of pieces that names an existing file stays whole, with the blanks between its
// pieces as they stand; where several runs from one piece do, the longest wins. A double
// quote is a character of a path like any other.
std::vector<std::u16string> split_paths(std::u16string_view text, const PathLookup &lookup);

// A typed value as a program's runtime reads it: split at blanks and tabs.
std::vector<std::u16string> split_blanks(std::u16string_view text);

} // namespace brx
