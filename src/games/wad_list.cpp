#include "wad_list.h"

#include <QFileInfo>

namespace brx {

namespace {

// No name of a file or folder is longer than this on the systems the launcher runs on.
constexpr qsizetype longest_name = 255;

bool is_blank(QChar c) {
    return c == u' ' || c == u'\t';
}

struct Piece {
    qsizetype begin = 0;
    qsizetype end = 0;
};

qsizetype name_start(const QString &path) {
    qsizetype at = path.lastIndexOf(u'/');
#ifdef Q_OS_WIN
    at = qMax(at, path.lastIndexOf(u'\\'));
#endif
    return at + 1;
}

} // namespace

Found find_path(const QString &path) {
    const QFileInfo info(path);
    if (info.isDir())
        return Found::folder;
    return info.isFile() ? Found::file : Found::nothing;
}

QStringList wad_files(const QString &text, const FindPath &find) {
    QList<Piece> pieces;
    for (qsizetype at = 0; at < text.size();) {
        if (is_blank(text[at])) {
            ++at;
            continue;
        }
        Piece piece{at, at};
        while (piece.end < text.size() && !is_blank(text[piece.end]))
            ++piece.end;
        pieces.append(piece);
        at = piece.end;
    }
    QStringList files;
    for (qsizetype i = 0; i < pieces.size();) {
        const auto span = [&](qsizetype last) {
            return text.mid(pieces[i].begin, pieces[last].end - pieces[i].begin);
        };
        qsizetype run = 1;
        if (find(span(i)) != Found::file) {
            // The shortest longer run that names a file. A run stops growing once no longer
            // one could: its folder does not exist, or its last name is longer than any name.
            for (qsizetype last = i + 1; last < pieces.size(); ++last) {
                const QString candidate = span(last);
                const qsizetype name = name_start(candidate);
                if (name > 0 && find(candidate.left(name)) != Found::folder)
                    break;
                if (candidate.size() - name > longest_name)
                    break;
                if (find(candidate) == Found::file) {
                    run = last - i + 1;
                    break;
                }
            }
        }
        files << span(i + run - 1);
        i += run;
    }
    return files;
}

QString wad_text(const QStringList &files) {
    QString text;
    for (const QString &file : files)
        text += u' ' + file;
    return text;
}

} // namespace brx
