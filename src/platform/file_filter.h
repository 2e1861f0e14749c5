// The file-open dialog's filter string ("description|pattern|description|pattern...") and
// which files a pattern offers. Names match regardless of case, as they do on Windows, so a
// DOOM2.WAD is offered by "doom2.wad". Where programs carry no ".exe" suffix, an ".exe"
// pattern also offers the name without it, and "*.exe" offers every executable file: a
// Linux user can pick /usr/games/chocolate-doom from "All executables (*.exe)".
#pragma once

#include <QList>
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

bool offers(const QString &pattern, const QString &file_name, bool executable,
            ExeSuffix suffix = native_exe_suffix());
bool offers(const FilterEntry &entry, const QString &file_name, bool executable,
            ExeSuffix suffix = native_exe_suffix());

} // namespace brx
