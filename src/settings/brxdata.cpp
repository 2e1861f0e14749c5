#include "brxdata.h"

#include "platform.h"
#include "window_list.h"

namespace brx::BRXdata {

StoreLocation settings_location(const Platform &platform) {
    return store_location(platform.program_folder(), platform.user_config_folder(),
                          QStringLiteral("brx.cfg"));
}

QString settings_path(const Platform &platform) {
    return settings_location(platform).path;
}

SettingsFound load(Forms &forms, qint16 silent, Settings &settings) {
    const Settings start = settings;
    const SettingsFound found = read_settings_file(settings_path(forms.platform()), settings);
    MainWindow *main = main_window(forms);
    return main ? main->settings_found(silent, found, start, settings) : found;
}

bool load_settings(Forms &forms, qint16 silent, Settings &settings) {
    return load(forms, silent, settings).kind == SettingsFound::record;
}

bool save_settings(const Platform &platform, const Settings &settings, QString *error) {
    for (const QString *value : {&settings.doom_exe, &settings.doom_iwad, &settings.vid_width,
                                 &settings.vid_height, &settings.snd_rate}) {
        if (const QString why = unstorable(*value); !why.isEmpty()) {
            if (error)
                *error = why;
            return false;
        }
    }
    return atomic_save(settings_location(platform), write_record(settings), error);
}

} // namespace brx::BRXdata
