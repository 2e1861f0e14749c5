// The file-open dialog's filter string ("description|pattern|description|pattern...") and
// which files a pattern offers. Names match regardless of case, as they do on Windows, so a
// DOOM2.WAD is offered by "doom2.wad". Where programs carry no ".exe" suffix, an ".exe"
// pattern also offers the name without it, and "*.exe" offers every executable file: a
// Linux user can pick /usr/games/chocolate-doom from "All executables (*.exe)".
#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace brx {

struct FilterEntry {
    QString description;
    QStringList patterns; // a pair's pattern may list several, separated by ';'
};

QList<FilterEntry> parse_filter(const QString &filter);

enum class ExeSuffix { required, optional };

// The suffix rule of the system this was built for.
constexpr ExeSuffix native_exe_suffix() {
#ifdef Q_OS_WIN
    return ExeSuffix::required;
#else
    return ExeSuffix::optional;
#endif
}

// A filter's patterns made ready once, to test the many names of a folder quickly. Most
// patterns ("*.wad", "doom2.wad") need no regular expression; the others get one each.
class FilterMatcher {
public:
    explicit FilterMatcher(const QStringList &patterns, ExeSuffix suffix = native_exe_suffix());

    // `executable` is asked only when the answer depends on it: it may cost a look at the disk.
    template <typename IsExecutable>
    bool offers(QStringView file_name, IsExecutable executable) const {
        for (const Pattern &pattern : names_) {
            if (pattern.matches(file_name))
                return true;
        }
        if (programs_.isEmpty() || !executable())
            return false;
        for (const Pattern &pattern : programs_) {
            if (pattern.matches(file_name))
                return true;
        }
        return false;
    }

private:
    class Pattern {
    public:
        explicit Pattern(const QString &wildcard);
        bool matches(QStringView name) const;

    private:
        enum class Kind { exact, suffix, wildcard } kind_;
        QString text_; // in lower case, for the plain kinds
        QRegularExpression re_;
    };
    QList<Pattern> names_;
    QList<Pattern> programs_; // ".exe" patterns without the suffix, for executable files
};

bool offers(const FilterEntry &entry, const QString &file_name, bool executable,
            ExeSuffix suffix = native_exe_suffix());

} // namespace brx
