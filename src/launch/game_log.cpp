#include "game_log.h"

#include "engine_family.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace brx {

QString game_log_path(const QString &state_folder) {
    return QDir::toNativeSeparators(QDir(state_folder).filePath(QStringLiteral("last-game.log")));
}

QString log_tail(const QString &path, int lines, int width) {
    // Far more than the lines shown can take, even cut.
    constexpr qint64 end_read = 64 * 1024;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    const qint64 size = file.size();
    if (size > end_read && !file.seek(size - end_read))
        return {};
    QStringList all = QString::fromLocal8Bit(file.read(end_read)).split(u'\n');
    // The first line may be cut by the read; a last one ended by its line break is empty.
    if (size > end_read && all.size() > 1)
        all.removeFirst();
    QStringList kept;
    for (QString &line : all) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        // Tabs and other control characters would only disturb the message.
        for (QChar &c : line) {
            if (c.category() == QChar::Other_Control)
                c = u' ';
        }
        kept << (line.size() > width ? line.left(width - 3) + QStringLiteral("...") : line);
    }
    while (!kept.isEmpty() && kept.last().trimmed().isEmpty())
        kept.removeLast();
    return kept.mid(std::max<qsizetype>(0, kept.size() - lines)).join(u'\n');
}

QString early_end_message(const QString &engine, const QString &how, const QString &log) {
    const QString name = engine_name(engine);
    const QString tail = log_tail(log);
    return QStringLiteral("%1 stopped at once (%2).\n\n%3")
        .arg(name.isEmpty() ? QStringLiteral("The engine") : name, how,
             tail.isEmpty()
                 ? QStringLiteral("It wrote nothing to %1.").arg(log)
                 : QStringLiteral("The last lines it wrote to %1:\n\n%2").arg(log, tail));
}

} // namespace brx
