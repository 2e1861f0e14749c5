#include "game_presets.h"

#include "brxdata.h"
#include "doom_launch.h"
#include "launch_multi.h"
#include "launch_solo.h"
#include "platform.h"
#include "window_list.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace brx {

StoreLocation presets_location(const Platform &platform) {
    return store_location(platform.program_folder(), platform.user_config_folder(),
                          presets_file_name);
}

PresetsLoad load_presets(Forms &forms) {
    PresetsLoad load;
    PresetsFound found = read_presets_file(presets_location(forms.platform()).path, load.presets);
    if (MainWindow *main = main_window(forms))
        found = main->presets_found(found);
    if (found.kind != PresetsFound::data)
        load.presets = Presets();
    load.savable = found.kind == PresetsFound::data || found.kind == PresetsFound::missing;
    return load;
}

bool save_presets(Forms &forms, const Presets &presets) {
    QString why;
    if (atomic_save(presets_location(forms.platform()), write_presets(presets), &why))
        return true;
    forms.platform().message_box(QStringLiteral("The presets could not be saved to\n%1\n\n%2")
                                     .arg(presets_location(forms.platform()).path, why),
                                 QStringLiteral("Error!"));
    return false;
}

bool use_preset_files(Forms &forms, const Preset &preset) {
    Settings settings;
    read_settings_file(BRXdata::settings_path(forms.platform()), settings);
    const QString engine = preset.engine.isEmpty() ? settings.doom_exe : preset.engine;
    const QString iwad = preset.iwad.isEmpty() ? settings.doom_iwad : preset.iwad;
    if (engine == settings.doom_exe && iwad == settings.doom_iwad)
        return true;
    settings.doom_exe = engine;
    settings.doom_iwad = iwad;
    QString why;
    if (!BRXdata::save_settings(forms.platform(), settings, &why)) {
        forms.platform().message_box(
            QStringLiteral("The preset's engine and IWAD could not be saved to\n%1\n\n%2")
                .arg(BRXdata::settings_path(forms.platform()), why),
            QStringLiteral("Error!"));
        return false;
    }
    if (MainWindow *main = main_window(forms))
        main->show_iwad_kind(iwad);
    return true;
}

QString play_preset(Forms &forms, const Preset &preset) {
    if (!use_preset_files(forms, preset))
        return QStringLiteral("the preset's engine and IWAD could not be made the current ones");
    Settings settings;
    read_settings_file(BRXdata::settings_path(forms.platform()), settings);
    if (settings.doom_exe.isEmpty() || !QFileInfo(settings.doom_exe).isFile())
        return QStringLiteral("the engine \"%1\" is missing").arg(settings.doom_exe);
    // The dialog as "Okay" finds it, never shown.
    std::unique_ptr<GameDialog> dialog;
    if (preset.kind == GameKind::solo)
        dialog = std::make_unique<launch_solo>(forms);
    else
        dialog = std::make_unique<launch_multi>(forms);
    dialog->Form_Load();
    dialog->apply(preset.game);
    if (!dialog->start_game())
        return QStringLiteral("the game was not started");
    return {};
}

namespace {

// A value of a desktop entry: backslashes and the line breaks of the string escapes.
QString entry_value(const QString &text) {
    QString value;
    for (const QChar c : text) {
        if (c == u'\\')
            value += QStringLiteral("\\\\");
        else if (c == u'\t')
            value += QStringLiteral("\\t");
        else
            value += c;
    }
    return value;
}

// An argument of Exec, quoted: inside the quotes ", `, $ and \ take a backslash, and % is
// written %% so that it is no field code.
QString exec_argument(const QString &text) {
    QString quoted = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    return quoted + u'"';
}

// A file name for the shortcut: the name's letters and digits, and a digest so that names
// that read the same there stay apart.
QString shortcut_stem(const QString &name) {
    QString stem;
    for (const QChar c : name)
        stem += c.isLetterOrNumber() && c.unicode() < 128 ? c : u'_';
    const QByteArray digest =
        QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return QStringLiteral("brixmoor-") + stem.left(40) + u'-' + QString::fromLatin1(digest);
}

} // namespace

QByteArray desktop_entry(const QString &program, const QString &name, QString *why) {
    if (const QString unusable = unusable_preset_name(name); !unusable.isEmpty()) {
        if (why)
            *why = unusable;
        return {};
    }
    const QString exec = exec_argument(program) + QStringLiteral(" --play ") + exec_argument(name);
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Version=1.0\n"
                          "Name=%1\n"
                          "Comment=Starts the Brixmoor preset %1\n"
                          "Exec=%2\n"
                          "Icon=brixmoor\n"
                          "Terminal=false\n"
                          "Categories=Game;ActionGame;\n")
        .arg(entry_value(name), entry_value(exec))
        .toUtf8();
}

QString make_shortcut(const Platform &platform, const QString &program, const QString &name,
                      QString *why) {
#ifdef Q_OS_WIN
    // A batch file beside the presets file. cmd has no way to quote a quote inside quotes.
    if (name.contains(u'"') || !unusable_preset_name(name).isEmpty()) {
        *why = QStringLiteral("A shortcut cannot start a preset whose name holds a quote.");
        return {};
    }
    const QString folder = QFileInfo(presets_location(platform).path).absolutePath();
    const StoreLocation location{QDir::toNativeSeparators(QDir(folder).filePath(
                                     shortcut_stem(name) + QStringLiteral(".cmd"))),
                                 presets_location(platform).in_user_folder};
    const QString escaped = QString(name).replace(u'%', QStringLiteral("%%"));
    const QByteArray bytes =
        QStringLiteral("@chcp 65001 >nul\r\n@start \"\" \"%1\" --play \"%2\"\r\n")
            .arg(QDir::toNativeSeparators(program), escaped)
            .toUtf8();
#else
    Q_UNUSED(platform);
    const QByteArray bytes = desktop_entry(program, name, why);
    if (bytes.isEmpty())
        return {};
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    const StoreLocation location{QDir(data).filePath(QStringLiteral("applications/") +
                                                     shortcut_stem(name) +
                                                     QStringLiteral(".desktop")),
                                 true};
#endif
    return atomic_save(location, bytes, why) ? location.path : QString();
}

} // namespace brx
