#include "file_filter.h"

#include <QRegularExpression>

namespace brx {

QList<FilterEntry> parse_filter(const QString &filter) {
    QList<FilterEntry> entries;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            if (!pattern.trimmed().isEmpty())
                patterns << pattern.trimmed();
        }
        entries.append({parts[i], patterns});
    }
    return entries;
}

static bool wildcard_match(const QString &pattern, const QString &name) {
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                QRegularExpression::CaseInsensitiveOption);
    return re.match(name).hasMatch();
}

bool offers(const QString &pattern, const QString &file_name, bool executable, ExeSuffix suffix) {
    if (wildcard_match(pattern, file_name))
        return true;
    if (suffix == ExeSuffix::required || !executable)
        return false;
    static const QString exe = QStringLiteral(".exe");
    if (!pattern.endsWith(exe, Qt::CaseInsensitive))
        return false;
    // "zdoom.exe" stands for the program called zdoom, "*.exe" for every program.
    return wildcard_match(pattern.chopped(exe.size()), file_name);
}

bool offers(const FilterEntry &entry, const QString &file_name, bool executable, ExeSuffix suffix) {
    for (const QString &pattern : entry.patterns) {
        if (offers(pattern, file_name, executable, suffix))
            return true;
    }
    return false;
}

} // namespace brx
