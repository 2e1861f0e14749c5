#include "file_filter.h"

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

namespace {

// Characters that mean more than themselves in a wildcard, or that a star does not match.
bool plain_ascii(QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e || QStringView(u"*?[]\\/").contains(c))
            return false;
    }
    return true;
}

// Whether `name` equals `lower`, an ASCII text in lower case, in either case. Names are mostly
// ASCII: the few letters outside it that fold to ASCII ones take the general comparison.
bool same_caseless(QStringView name, QStringView lower) {
    if (name.size() != lower.size())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        char16_t c = name[i].unicode();
        if (c >= 0x80)
            return name.compare(lower, Qt::CaseInsensitive) == 0;
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c + (u'a' - u'A'));
        if (c != lower[i].unicode())
            return false;
    }
    return true;
}

} // namespace

// A star matches any run of characters but a folder separator, the name must match whole,
// and letters match in either case (as Unicode case folding has it, for the few letters
// outside ASCII that fold to ASCII ones, such as the Kelvin sign). For a pattern that is a
// plain name, or a star followed by a plain name, a case-blind comparison gives the same
// answer as the regular expression, without making one.
FilterMatcher::Pattern::Pattern(const QString &wildcard) {
    if (plain_ascii(wildcard)) {
        kind_ = Kind::exact;
        text_ = wildcard.toLower();
    } else if (wildcard.startsWith(u'*') && plain_ascii(QStringView(wildcard).mid(1))) {
        kind_ = Kind::suffix;
        text_ = wildcard.mid(1).toLower();
    } else {
        kind_ = Kind::wildcard;
        re_ = QRegularExpression(QRegularExpression::wildcardToRegularExpression(wildcard),
                                 QRegularExpression::CaseInsensitiveOption);
    }
}

bool FilterMatcher::Pattern::matches(QStringView name) const {
    switch (kind_) {
    case Kind::exact:
        return same_caseless(name, text_);
    case Kind::suffix: {
        // The letters that fold to ASCII ones (such as the Kelvin sign) are one UTF-16 unit
        // each, as their ASCII letters are: the tail is as long as the text.
        if (name.size() < text_.size() || !same_caseless(name.right(text_.size()), text_))
            return false;
        // What the star stands for may hold no folder separator.
        const QStringView star = name.chopped(text_.size());
        if (star.contains(u'/'))
            return false;
#ifdef Q_OS_WIN
        if (star.contains(u'\\'))
            return false;
#endif
        return true;
    }
    case Kind::wildcard:
        break;
    }
    return re_.match(name.toString()).hasMatch();
}

FilterMatcher::FilterMatcher(const QStringList &patterns, ExeSuffix suffix) {
    static const QString exe = QStringLiteral(".exe");
    for (const QString &pattern : patterns) {
        names_.append(Pattern(pattern));
        // "zdoom.exe" stands for the program called zdoom, "*.exe" for every program.
        if (suffix == ExeSuffix::optional && pattern.endsWith(exe, Qt::CaseInsensitive))
            programs_.append(Pattern(pattern.chopped(exe.size())));
    }
}

bool offers(const FilterEntry &entry, const QString &file_name, bool executable, ExeSuffix suffix) {
    return FilterMatcher(entry.patterns, suffix).offers(file_name, [executable] {
        return executable;
    });
}

} // namespace brx
