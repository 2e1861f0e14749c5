#include "settings_file.h"

#include "store.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace brx {

SettingsFound read_settings_file(const QString &path, Settings &settings) {
    SettingsFound found;
    found.path = path;
    // Only a plain file counts: a folder of that name is no settings file, nor on Windows a
    // file with the hidden attribute (elsewhere "brx.cfg" cannot be a hidden name).
    const QFileInfo info(path);
#ifdef Q_OS_WIN
    const bool hidden = info.isHidden();
#else
    const bool hidden = false;
#endif
    if (!info.isFile() || hidden) {
        settings.doom_exe.clear();
        settings.doom_iwad.clear();
        found.kind = SettingsFound::missing;
        return found;
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        found.kind = SettingsFound::unreadable;
        found.reason = file.errorString();
        return found;
    }
    const int read = read_record(file, settings);
    if (read < 0) {
        found.kind = SettingsFound::unreadable;
        found.reason = file.errorString();
        return found;
    }
    if (read == record_values) {
        found.kind = SettingsFound::record;
        return found;
    }
    // The data ended early, so the whole file has been read once: the bytes are read again
    // for their digest.
    found.kind = SettingsFound::damaged;
    settings.doom_iwad.clear();
    QCryptographicHash digest(QCryptographicHash::Sha256);
    if (file.seek(0) && digest.addData(&file)) {
        const QFileInfo now(file.fileName());
        found.size = now.size();
        found.modified = now.lastModified();
        found.digest = digest.result();
    }
    return found;
}

SettingsFound settle_damaged(const SettingsFound &found, Settings &settings) {
    SettingsFound again = read_settings_file(found.path, settings);
    if (again.kind == SettingsFound::damaged && !found.digest.isEmpty() &&
        again.size == found.size && again.modified == found.modified &&
        again.digest == found.digest && set_aside(found.path)) {
        again.kind = SettingsFound::missing;
    }
    return again;
}

} // namespace brx
