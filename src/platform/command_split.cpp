#include "command_split.h"

#include <QFileInfo>
#include <QList>
#include <QStandardPaths>
#include <algorithm>
#include <utility>

namespace brx {

namespace {

// No name of a file or folder is longer than this on the systems the launcher runs on.
constexpr qsizetype longest_name = 255;

bool is_blank(QChar c) {
    return c == u' ' || c == u'\t';
}

struct Piece {
    qsizetype begin = 0; // where the piece stands in the line
    qsizetype end = 0;
    QString text;      // what the program reads
    bool plain = true; // no double quote in it: its text is the line's own text
};

// The program's own piece: double quotes group, backslashes are ordinary characters.
void read_program_piece(QStringView line, qsizetype &at, Piece &piece) {
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
void read_argument_piece(QStringView line, qsizetype &at, Piece &piece) {
    bool quoted = false;
    while (at < line.size()) {
        qsizetype backslashes = 0;
        while (at < line.size() && line[at] == u'\\') {
            ++backslashes;
            ++at;
        }
        if (at < line.size() && line[at] == u'"') {
            piece.text += QString(backslashes / 2, u'\\');
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
        piece.text += QString(backslashes, u'\\');
        if (at == line.size() || (!quoted && is_blank(line[at])))
            break;
        piece.text += line[at];
        ++at;
    }
}

QList<Piece> read_pieces(QStringView line) {
    QList<Piece> pieces;
    qsizetype at = 0;
    for (;;) {
        while (at < line.size() && is_blank(line[at]))
            ++at;
        if (at == line.size())
            return pieces;
        Piece piece;
        piece.begin = at;
        qsizetype end = at;
        while (end < line.size() && !is_blank(line[end]) && line[end] != u'"')
            ++end;
        if (end == line.size() || is_blank(line[end])) {
            // Without a double quote, every rule leaves the text as it stands.
            piece.text = line.sliced(at, end - at).toString();
            at = end;
        } else {
            piece.plain = false;
            if (pieces.isEmpty())
                read_program_piece(line, at, piece);
            else
                read_argument_piece(line, at, piece);
        }
        piece.end = at;
        pieces.append(std::move(piece));
    }
}

// The line's own text from the start of one piece to the end of another, blanks between
// them included as they stand.
QString span(QStringView line, const Piece &first, const Piece &last) {
    return line.sliced(first.begin, last.end - first.begin).toString();
}

// Grows a run of plain pieces from pieces[first], starting with `shortest` of them, until
// `names` accepts the run's text. A run stops growing as soon as no longer run could name a
// file: a folder in it does not exist, or its last name is longer than a name can be. Each
// piece thus costs a bounded number of look-ups, however long the line. Returns how many
// pieces the accepted run holds, 0 when no run is accepted.
qsizetype grow_run(QStringView line, const QList<Piece> &pieces, qsizetype first,
                   qsizetype shortest, const PathLookup &lookup,
                   const std::function<bool(const QString &)> &names) {
    for (qsizetype i = first; i < first + shortest; ++i) {
        if (i >= pieces.size() || !pieces[i].plain)
            return 0;
    }
    qsizetype folder_checked = 0; // length of the folder part known to exist
    for (qsizetype last = first + shortest - 1; last < pieces.size() && pieces[last].plain;
         ++last) {
        const QString candidate = span(line, pieces[first], pieces[last]);
        qsizetype folder = candidate.size();
        while (folder > 0 && !lookup.separators.contains(candidate[folder - 1]))
            --folder;
        if (folder > folder_checked) {
            if (lookup.kind(candidate.left(folder)) != PathKind::folder)
                return 0;
            folder_checked = folder;
        }
        if (candidate.size() - folder > longest_name)
            return 0;
        if (names(candidate))
            return last - first + 1;
    }
    return 0;
}

} // namespace

PathLookup system_paths() {
    PathLookup lookup;
#ifdef Q_OS_WIN
    lookup.separators = QStringLiteral("\\/");
#else
    lookup.separators = QStringLiteral("/");
#endif
    lookup.kind = [](const QString &path) {
        const QFileInfo info(path);
        if (path.isEmpty() || !info.exists())
            return PathKind::none;
        return info.isDir() ? PathKind::folder : PathKind::file;
    };
    lookup.program = [separators = lookup.separators](const QString &candidate) -> QString {
        if (candidate.isEmpty())
            return {};
        bool bare = std::none_of(candidate.begin(), candidate.end(),
                                 [&](QChar c) { return separators.contains(c); });
#ifdef Q_OS_WIN
        bare = bare && !candidate.contains(u':');
#endif
        if (bare)
            return QStandardPaths::findExecutable(candidate);
        QStringList tries{candidate};
#ifdef Q_OS_WIN
        // A start adds the ".exe" that a program name without an extension leaves out.
        if (QFileInfo(candidate).suffix().isEmpty())
            tries << candidate + QStringLiteral(".exe");
#endif
        for (const QString &path : tries) {
            const QFileInfo info(path);
            if (info.isFile() && info.isExecutable())
                return path;
        }
        return {};
    };
    return lookup;
}

SplitCommand split_command(QStringView command_line, const PathLookup &lookup) {
    const QStringView line = command_line;
    const QList<Piece> pieces = read_pieces(line);
    SplitCommand split;
    if (pieces.isEmpty())
        return split;

    // The program: a quoted first piece stands alone; otherwise the shortest run of leading
    // pieces that names an executable file.
    QString program;
    const auto names_program = [&](const QString &candidate) {
        program = lookup.program(candidate);
        return !program.isEmpty();
    };
    qsizetype taken = 0;
    if (pieces[0].plain)
        taken = grow_run(line, pieces, 0, 1, lookup, names_program);
    else if (names_program(pieces[0].text))
        taken = 1;
    if (taken == 0)
        return split;
    split.program = program;

    struct Joined {
        qsizetype begin;
        qsizetype end;
    };
    QList<Joined> joined;
    if (taken == 1) {
        split.arguments.append(pieces[0].text);
    } else {
        split.arguments.append(span(line, pieces[0], pieces[taken - 1]));
        joined.append({pieces[0].begin, pieces[taken - 1].end});
    }

    const auto names_file = [&](const QString &candidate) {
        return lookup.kind(candidate) == PathKind::file;
    };
    for (qsizetype i = taken; i < pieces.size();) {
        const Piece &piece = pieces[i];
        qsizetype run = 1;
        if (piece.plain && lookup.kind(piece.text) != PathKind::file)
            run = std::max<qsizetype>(1, grow_run(line, pieces, i, 2, lookup, names_file));
        if (run == 1) {
            split.arguments.append(piece.text);
        } else {
            const Piece &last = pieces[i + run - 1];
            split.arguments.append(span(line, piece, last));
            joined.append({piece.begin, last.end});
        }
        i += run;
    }

    qsizetype at = 0;
    for (const Joined &run : joined) {
        split.quoted_line += line.sliced(at, run.begin - at);
        split.quoted_line += u'"';
        // A joined run names a file, so it never ends in a backslash that would turn the
        // closing quote into a literal one.
        split.quoted_line += line.sliced(run.begin, run.end - run.begin);
        split.quoted_line += u'"';
        at = run.end;
    }
    split.quoted_line += line.sliced(at);
    return split;
}

} // namespace brx
