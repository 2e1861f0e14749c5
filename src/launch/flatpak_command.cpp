#include "flatpak_command.h"

#include "engine_family.h"

#include <QDir>
#include <QFileInfo>

namespace brx {

QString flatpak_app(const QString &doom_exe) {
    const QString path = QDir::fromNativeSeparators(doom_exe);
    const QString name = path.section(u'/', -1);
    if (path.contains(QStringLiteral("/flatpak/exports/bin/")) && !name.isEmpty())
        return name;
    for (const KnownEngine &engine : engines_known())
        if (engine.flatpak_id && path == QStringView(engine.flatpak_id))
            return path;
    return {};
}

void run_through_flatpak(EngineCommand &command, const QString &app_id, const QString &home) {
    if (command.arguments.isEmpty() || !command.command_line.startsWith(command.arguments[0]))
        return;
    QString tail = command.command_line.mid(command.arguments[0].size());
    QStringList rest = command.arguments.mid(1), grants;
    bool host_os = false;
    const QString own = QDir(home).filePath(QStringLiteral(".var/app/") + app_id) + u'/';
    for (QString &argument : rest) {
        const QFileInfo file(argument);
        if (!file.isAbsolute() || !file.isFile() || argument.startsWith(own))
            continue;
        if (argument.startsWith(QStringLiteral("/usr/"))) {
            host_os = true;
            tail.replace(u' ' + argument, QStringLiteral(" /run/host") + argument);
            argument.prepend(QStringLiteral("/run/host"));
            continue;
        }
        const QString grant = QStringLiteral("--filesystem=%1:ro").arg(file.absolutePath());
        if (!grants.contains(grant))
            grants << grant;
    }
    QStringList start{QStringLiteral("flatpak"), QStringLiteral("run")};
    start << grants;
    if (host_os)
        start << QStringLiteral("--filesystem=host-os:ro");
    // Zandronum's application starts its server browser unless told otherwise.
    if (app_id == u"com.zandronum.Zandronum")
        start << QStringLiteral("--command=zandronum");
    start << app_id;
    command.arguments = start + rest;
    command.command_line = start.join(u' ') + tail;
}

} // namespace brx
