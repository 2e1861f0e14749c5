#include "game_log.h"

#include "engine_family.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace brx {

QString game_log_path(const QString &state_folder) {
    return QDir::toNativeSeparators(QDir(state_folder).filePath(QStringLiteral("last-game.log")));
}

namespace {

// A line as a message shows it: control, format and bidirectional characters written as
// "\u202E" (a tab as a blank), "[...]" where it was cut, at most `width` characters.
QString shown_line(QStringView line, bool cut_before, int width) {
    const QString cut = QStringLiteral("[...]");
    QString shown = cut_before ? cut : QString();
    for (const QChar c : line) {
        if (shown.size() > width)
            break;
        const QChar::Category category = c.category();
        if (c == u'\t')
            shown += u' ';
        else if (category == QChar::Other_Control || category == QChar::Other_Format ||
                 category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
            shown += u"\\u"_s + QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0');
        else
            shown += c;
    }
    return shown.size() > width ? shown.left(width - cut.size()) + cut : shown;
}

} // namespace

QString log_tail(const QString &path, int lines, int width) {
    // Far more than the lines shown can take, even cut.
    constexpr qint64 end_read = 64 * 1024;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    const qint64 size = file.size();
    if (size > end_read)
        file.seek(size - end_read);
    const QStringList all = QString::fromLocal8Bit(file.read(end_read)).split(u'\n');
    QStringList kept;
    for (qsizetype i = 0; i < all.size(); ++i) {
        QStringView line = all[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        // The first line read may have begun before the part read.
        kept << shown_line(line, i == 0 && size > end_read, width);
    }
    while (!kept.isEmpty() && kept.last().trimmed().isEmpty())
        kept.removeLast();
    return kept.mid(std::max<qsizetype>(0, kept.size() - lines)).join(u'\n');
}

QString early_end_message(const QString &engine, const QString &how, const QString &log,
                          const QString &log_problem) {
    QString told = QStringLiteral("%1 stopped at once (%2).\n\n").arg(engine_name(engine), how);
    if (!log_problem.isEmpty())
        return told + QStringLiteral("No log could be written to %1: %2.").arg(log, log_problem);
    const QString tail = log_tail(log);
    return told + (tail.isEmpty()
                       ? QStringLiteral("It wrote nothing to %1.").arg(log)
                       : QStringLiteral("The last lines it wrote to %1:\n\n%2").arg(log, tail));
}

} // namespace brx
