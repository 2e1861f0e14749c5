#include "brxdata.h"

#include "forms.h"
#include "platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace brx::BRXdata {

QString settings_path(const Platform &platform) {
    return QDir::toNativeSeparators(QDir(platform.program_folder()).filePath("brx.cfg"));
}

void load_settings(Forms &forms, qint16 silent, Settings &settings) {
    Platform &platform = forms.platform();
    const QString path = settings_path(platform);

    // Only a plain file counts: a folder or a hidden file of that name is no settings file.
    const QFileInfo info(path);
    if (!info.isFile() || info.isHidden()) {
        settings.doom_exe.clear();
        settings.doom_iwad.clear();
        if (silent == 0) {
            platform.message_box(
                QStringLiteral("BRX needs to be configured...\n\rPlease note: this will "
                               "only need to be done once"),
                QStringLiteral("BRX needs to be configured..."));
            forms.show_modal(FormId::doom_setup);
        }
        return;
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const bool complete = read_record(file, settings) == record_values;
    file.close();
    if (complete)
        return;

    platform.message_box(QStringLiteral("Config file corrupt"), QStringLiteral("Error!"));
    // When the file cannot be deleted, the load goes on as if it had been.
    QFile::remove(path);
    settings.doom_iwad.clear();
}

bool save_settings(const Platform &platform, const Settings &settings, QString *error) {
    for (const QString *value : {&settings.doom_exe, &settings.doom_iwad, &settings.vid_width,
                                 &settings.vid_height, &settings.snd_rate}) {
        if (!storable(*value)) {
            if (error)
                *error = QStringLiteral("This value holds a double quote or a line break, "
                                        "which brx.cfg cannot store:\n%1")
                             .arg(*value);
            return false;
        }
    }
    // Written beside the old file and renamed over it: a crash, a kill or a full disk
    // leaves either the old record or the new one.
    QSaveFile file(settings_path(platform));
    const bool saved =
        file.open(QIODevice::WriteOnly) && file.write(write_record(settings)) >= 0 && file.commit();
    if (!saved && error)
        *error = file.errorString();
    return saved;
}

} // namespace brx::BRXdata
