// The launcher's windows as its dialogs and flows know them: the list of dialogs, and the main
// window with the IWAD indicator and the one place where what a settings load found is told
// to the user.
#pragma once

#include "forms.h"
#include "presets.h"
#include "settings_file.h"
#include "wad_kind.h"

#include <QWidget>

namespace brx {

class GameLibrary;

enum class FormId : int { doom_setup, launch_solo, launch_multi, aboutbox, files_editor };
inline constexpr FormId all_forms[] = {FormId::doom_setup, FormId::launch_solo,
                                       FormId::launch_multi, FormId::aboutbox,
                                       FormId::files_editor};

// The dialog's window name, which its form gives it.
inline QString form_name(FormId id) {
    switch (id) {
    case FormId::doom_setup:
        return QStringLiteral("doom_setup");
    case FormId::launch_solo:
        return QStringLiteral("launch_solo");
    case FormId::launch_multi:
        return QStringLiteral("launch_multi");
    case FormId::aboutbox:
        return QStringLiteral("aboutbox");
    case FormId::files_editor:
        return QStringLiteral("files_editor");
    }
    return {};
}

class MainWindow {
public:
    // The game the configured IWAD is, as the indicator shows it: the game dialogs offer its
    // levels and the launch gives its warp form.
    virtual WadKind iwad_kind() const = 0;
    // Sets the indicator from an IWAD path; one of no known kind shows "IWAD: Unknown".
    virtual void show_iwad_kind(const QString &iwad_path) = 0;
    // Tells the user what a load of brx.cfg found, as a load with this silent flag does (see
    // BRXdata::load_settings()), and deals with it: a first run opens the setup, a damaged
    // file is moved aside once the user has seen the message. Returns what the load comes to;
    // settings are what it hands back, start what the caller set before it.
    virtual SettingsFound settings_found(qint16 silent, const SettingsFound &found,
                                         const Settings &start, Settings &settings) = 0;
    // Tells the user what a read of the presets file found, once per kind of finding in a
    // run: a damaged file is moved aside and found missing (when it can be moved), a file that
    // cannot be read is left as it is. Returns what the read comes to.
    virtual PresetsFound presets_found(const PresetsFound &found) = 0;
    // The engines and IWADs found on this machine, scanned once at start-up off the
    // interface thread; the setup offers them.
    virtual GameLibrary &game_library() = 0;

protected:
    ~MainWindow() = default;
};

// The main window of the registry, when it has one.
inline MainWindow *main_window(const Forms &forms) {
    return dynamic_cast<MainWindow *>(forms.main_window());
}

} // namespace brx
