#include "command_split.h"

#include <algorithm>
#include <utility>

namespace brx {

namespace {

// No name of a file or folder is longer than this on the systems the launcher runs on.
constexpr std::size_t longest_name = 255;

bool is_blank(char16_t c) {
    return c == u' ' || c == u'\t';
}

struct Piece {
    std::size_t begin = 0; // where the piece stands in the line
    std::size_t end = 0;
    std::u16string text; // what the program reads
    bool plain = true;   // no double quote in it: its text is the line's own text
};

// The program's own piece: double quotes group, backslashes are ordinary characters.
void read_program_piece(std::u16string_view line, std::size_t &at, Piece &piece) {
    bool quoted = false;
    for (; at < line.size() && (quoted || !is_blank(line[at])); ++at) {
        if (line[at] == u'"')
            quoted = !quoted;
        else
            piece.text += line[at];
    }
}

// Every later piece, by the C runtime's rules: 2n backslashes and a double quote give n
// backslashes and open or close a quoted part; 2n + 1 backslashes and a double quote give n
// backslashes and a literal double quote; backslashes before anything else stand as they are;
// inside a quoted part, two double quotes give one literal double quote.
void read_argument_piece(std::u16string_view line, std::size_t &at, Piece &piece) {
    bool quoted = false;
    while (at < line.size()) {
        std::size_t backslashes = 0;
        while (at < line.size() && line[at] == u'\\') {
            ++backslashes;
            ++at;
        }
        if (at < line.size() && line[at] == u'"') {
            piece.text.append(backslashes / 2, u'\\');
            if (backslashes % 2 == 1) {
                piece.text += u'"';
            } else if (quoted && at + 1 < line.size() && line[at + 1] == u'"') {
                piece.text += u'"';
                ++at;
            } else {
                quoted = !quoted;
            }
            ++at;
            continue;
        }
        piece.text.append(backslashes, u'\\');
        if (at == line.size() || (!quoted && is_blank(line[at])))
            break;
        piece.text += line[at];
        ++at;
    }
}

std::vector<Piece> read_pieces(std::u16string_view line) {
    std::vector<Piece> pieces;
    std::size_t at = 0;
    for (;;) {
        while (at < line.size() && is_blank(line[at]))
            ++at;
        if (at == line.size())
            return pieces;
        Piece piece;
        piece.begin = at;
        std::size_t end = at;
        while (end < line.size() && !is_blank(line[end]) && line[end] != u'"')
            ++end;
        if (end == line.size() || is_blank(line[end])) {
            // Without a double quote, every rule leaves the text as it stands.
            piece.text = line.substr(at, end - at);
            at = end;
        } else {
            piece.plain = false;
            if (pieces.empty())
                read_program_piece(line, at, piece);
            else
                read_argument_piece(line, at, piece);
        }
        piece.end = at;
        pieces.push_back(std::move(piece));
    }
}

// The line's own text from the start of one piece to the end of another, blanks between
// them included as they stand.
std::u16string span(std::u16string_view line, const Piece &first, const Piece &last) {
    return std::u16string(line.substr(first.begin, last.end - first.begin));
}

// Grows a run of plain pieces from pieces[first], starting with `shortest` of them, until
// `names` accepts the run's text (or, when `longest`, as long as any longer run could). A run
// stops growing as soon as no longer run could name a file: a folder in it does not exist, or
// its last name is longer than a name can be. Each piece thus costs a bounded number of
// look-ups, however long the line. Returns how many pieces the accepted run holds, 0 when no
// run is accepted.
std::size_t grow_run(std::u16string_view line, const std::vector<Piece> &pieces, std::size_t first,
                     std::size_t shortest, const PathLookup &lookup,
                     const std::function<bool(const std::u16string &)> &names,
                     bool longest = false) {
    for (std::size_t i = first; i < first + shortest; ++i) {
        if (i >= pieces.size() || !pieces[i].plain)
            return 0;
    }
    std::size_t folder_checked = 0; // length of the folder part known to exist
    std::size_t accepted = 0;
    for (std::size_t last = first + shortest - 1; last < pieces.size() && pieces[last].plain;
         ++last) {
        const std::u16string candidate = span(line, pieces[first], pieces[last]);
        const std::size_t separator = candidate.find_last_of(lookup.separators);
        const std::size_t folder = separator == std::u16string::npos ? 0 : separator + 1;
        if (folder > folder_checked) {
            if (lookup.kind(candidate.substr(0, folder)) != PathKind::folder)
                return accepted;
            folder_checked = folder;
        }
        if (candidate.size() - folder > longest_name)
            return accepted;
        if (names(candidate)) {
            accepted = last - first + 1;
            if (!longest)
                return accepted;
        }
    }
    return accepted;
}

// The pieces between blanks and tabs, every character plain.
std::vector<Piece> blank_pieces(std::u16string_view text) {
    std::vector<Piece> pieces;
    for (std::size_t at = 0;;) {
        while (at < text.size() && is_blank(text[at]))
            ++at;
        if (at == text.size())
            return pieces;
        Piece piece;
        piece.begin = at;
        while (at < text.size() && !is_blank(text[at]))
            ++at;
        piece.end = at;
        piece.text = text.substr(piece.begin, at - piece.begin);
        pieces.push_back(std::move(piece));
    }
}

} // namespace

std::vector<std::u16string> split_blanks(std::u16string_view text) {
    std::vector<std::u16string> split;
    for (Piece &piece : blank_pieces(text))
        split.push_back(std::move(piece.text));
    return split;
}

std::vector<std::u16string> split_paths(std::u16string_view text, const PathLookup &lookup) {
    const std::vector<Piece> pieces = blank_pieces(text);
    const auto names_file = [&](const std::u16string &candidate) {
        return lookup.kind(candidate) == PathKind::file;
    };
    std::vector<std::u16string> split;
    for (std::size_t i = 0; i < pieces.size();) {
        const std::size_t run =
            std::max<std::size_t>(1, grow_run(text, pieces, i, 1, lookup, names_file, true));
        split.push_back(span(text, pieces[i], pieces[i + run - 1]));
        i += run;
    }
    return split;
}

SplitCommand split_command(std::u16string_view line, const PathLookup &lookup) {
    const std::vector<Piece> pieces = read_pieces(line);
    SplitCommand split;
    if (pieces.empty())
        return split;

    // The program: a quoted first piece stands alone; otherwise the shortest run of leading
    // pieces that names an executable file.
    std::u16string program;
    const auto names_program = [&](const std::u16string &candidate) {
        program = lookup.program(candidate);
        return !program.empty();
    };
    std::size_t taken = 0;
    if (pieces[0].plain)
        taken = grow_run(line, pieces, 0, 1, lookup, names_program);
    else if (names_program(pieces[0].text))
        taken = 1;
    if (taken == 0)
        return split;
    split.program = program;

    struct Joined {
        std::size_t begin;
        std::size_t end;
    };
    std::vector<Joined> joined;
    if (taken == 1) {
        split.arguments.push_back(pieces[0].text);
    } else {
        split.arguments.push_back(span(line, pieces[0], pieces[taken - 1]));
        joined.push_back({pieces[0].begin, pieces[taken - 1].end});
    }

    const auto names_file = [&](const std::u16string &candidate) {
        return lookup.kind(candidate) == PathKind::file;
    };
    for (std::size_t i = taken; i < pieces.size();) {
        const Piece &piece = pieces[i];
        std::size_t run = 1;
        if (piece.plain && lookup.kind(piece.text) != PathKind::file)
            run = std::max<std::size_t>(1, grow_run(line, pieces, i, 2, lookup, names_file));
        if (run == 1) {
            split.arguments.push_back(piece.text);
        } else {
            const Piece &last = pieces[i + run - 1];
            split.arguments.push_back(span(line, piece, last));
            joined.push_back({piece.begin, last.end});
        }
        i += run;
    }

    std::size_t at = 0;
    for (const Joined &run : joined) {
        split.quoted_line += line.substr(at, run.begin - at);
        split.quoted_line += u'"';
        // A joined run names a file, so it never ends in a backslash that would turn the
        // closing quote into a literal one.
        split.quoted_line += line.substr(run.begin, run.end - run.begin);
        split.quoted_line += u'"';
        at = run.end;
    }
    split.quoted_line += line.substr(at);
    return split;
}

} // namespace brx
