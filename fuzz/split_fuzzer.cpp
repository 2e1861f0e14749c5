// Feeds arbitrary command lines to the command split, against a made-up file system. The
// input's first line is the command line, every later line an existing file ('*' before a
// program, a separator at the end of a folder); each byte is one character. Beyond "no crash,
// no hang", it checks:
// - pieces free of quotes, backslashes and blanks, joined by blanks, split back into the same
//   pieces;
// - a blank the line holds without quotes ends up inside an argument only where the joined run
//   names an existing file (or, for the program, an existing program); the program path is
//   either such a file or left as split;
// - the line with its joined runs in quotes gives the same arguments to a reader that knows
//   no files but the program, as the program's C runtime reads them.
#include "command_split.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace brx;

namespace {

const std::u16string separators = u"\\/";

bool is_separator(char16_t c) {
    return separators.find(c) != std::u16string::npos;
}

struct Files {
    std::vector<std::u16string> files;
    std::vector<std::u16string> programs;
    std::vector<std::u16string> folders;

    bool has(const std::vector<std::u16string> &list, const std::u16string &path) const {
        return std::find(list.begin(), list.end(), path) != list.end();
    }
    PathKind kind(const std::u16string &path) const {
        if (path.empty())
            return PathKind::none;
        if (!is_separator(path.back()) && (has(files, path) || has(programs, path)))
            return PathKind::file;
        for (const auto *list : {&files, &programs, &folders}) {
            for (const std::u16string &entry : *list) {
                if (entry.size() > path.size() && entry.starts_with(path) &&
                    (is_separator(path.back()) || is_separator(entry[path.size()])))
                    return PathKind::folder;
            }
        }
        return PathKind::none;
    }
    PathLookup lookup() const {
        return {[this](const std::u16string &path) { return kind(path); },
                [this](const std::u16string &candidate) {
                    return has(programs, candidate) ? candidate : std::u16string();
                },
                separators};
    }
};

bool is_blank(char16_t c) {
    return c == u' ' || c == u'\t';
}

[[noreturn]] void fail() {
    std::abort();
}

// Pieces free of quotes, backslashes and blanks come back as they went in.
void check_plain_pieces(const std::u16string &text) {
    std::vector<std::u16string> pieces(1);
    for (const char16_t c : text) {
        if (c == u'"' || c == u'\\' || is_blank(c)) {
            if (!pieces.back().empty())
                pieces.emplace_back();
        } else {
            pieces.back() += c;
        }
    }
    if (pieces.back().empty())
        pieces.pop_back();
    // The first piece is made a program, which a name that ends in a separator, or is longer
    // than any system allows, cannot be.
    if (pieces.empty() || is_separator(pieces[0].back()) ||
        pieces[0].size() - pieces[0].find_last_of(separators) - 1 > 255)
        return;
    std::u16string line;
    for (const std::u16string &piece : pieces)
        line += (line.empty() ? u"" : u" ") + piece;
    const Files none{{}, {pieces[0]}, {}};
    if (split_command(line, none.lookup()).arguments != pieces)
        fail();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::u16string input(data, data + size);
    std::size_t end = input.find(u'\n');
    const std::u16string line = input.substr(0, end);
    check_plain_pieces(line);

    Files fs;
    while (end != std::u16string::npos) {
        const std::size_t begin = end + 1;
        end = input.find(u'\n', begin);
        std::u16string entry = input.substr(begin, end - begin);
        if (entry.empty())
            continue;
        if (is_separator(entry.back()))
            fs.folders.push_back(entry);
        else if (entry[0] == u'*')
            fs.programs.push_back(entry.substr(1));
        else
            fs.files.push_back(entry);
    }
    const PathLookup lookup = fs.lookup();
    const SplitCommand split = split_command(line, lookup);
    if (split.program.empty())
        return 0;

    // The program path: as the first piece stands, or a run that names a program.
    const std::size_t start = line.find_first_not_of(u" \t");
    const std::size_t first_end = std::min(line.find_first_of(u" \t", start), line.size());
    const std::u16string first = line.substr(start, first_end - start);
    if (line[start] != u'"' && split.arguments[0] != first &&
        !(split.arguments[0] == split.program && fs.has(fs.programs, split.program)))
        fail();
    if (line.find(u'"') == std::u16string::npos) {
        for (std::size_t i = 1; i < split.arguments.size(); ++i) {
            const std::u16string &argument = split.arguments[i];
            if (std::any_of(argument.begin(), argument.end(), is_blank) &&
                fs.kind(argument) != PathKind::file)
                fail();
        }
    }

    // The program's C runtime joins nothing: to it no file exists, and the only program is the
    // one that the line names first.
    const Files program{{}, {split.arguments[0]}, {}};
    const PathLookup runtime{[&](const std::u16string &path) {
                                 const PathKind kind = program.kind(path);
                                 return kind == PathKind::file ? PathKind::none : kind;
                             },
                             program.lookup().program, separators};
    if (split_command(split.quoted_line, runtime).arguments != split.arguments)
        fail();
    return 0;
}
