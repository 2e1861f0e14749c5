// Every window of the launcher, opened as a user opens it: the main window after start-up and
// each dialog of the registry from it. The visitor sees every page of a window with tabs.
#pragma once

#include "rig.h"

#include <functional>

namespace brx {

using WindowVisitor = std::function<void(QWidget &window, const QString &page)>;

// The record every window is opened with: an engine and a Doom II IWAD.
inline const QByteArray configured =
    "/usr/games/zdoom,/usr/share/games/doom/DOOM2.WAD,640,480,44100, 2 , 1 \r\n";

// Visits the window once per tab page it shows (page names the current page, empty for a
// window without tabs).
inline void visit_pages(QWidget &window, const WindowVisitor &visit) {
    auto *tabs = window.findChild<QTabWidget *>();
    for (int index = 0; index < (tabs ? tabs->count() : 1); ++index) {
        if (tabs)
            tabs->setCurrentIndex(index);
        visit(window, tabs ? tabs->widget(index)->objectName() : QString());
    }
}

// The WAD list the file list editor is shown with: files in the rig's folder, one of them
// with blanks in its name and one missing.
inline QString wad_list_shown(Rig &rig) {
    QString text;
    for (const char *name : {"wads/sunder.wad", "wads/Eviternity II.pk3", "wads/brutal.pk7"}) {
        const QString path = QDir::toNativeSeparators(rig.dir.filePath(QString::fromUtf8(name)));
        if (!QString::fromUtf8(name).endsWith(".pk7"))
            write_file(path, "PWAD");
        text += u' ' + path;
    }
    return text;
}

inline void for_each_window(Rig &rig, const WindowVisitor &visit) {
    rig.write_cfg(configured);
    rig.main.Form_Load();
    rig.main.show();
    visit_pages(rig.main, visit);
    for (const FormId id : all_forms) {
        if (!rig.forms.defined(id))
            continue;
        const auto look = [&](QDialog &window) { visit_pages(window, visit); };
        if (id != FormId::files_editor) {
            rig.open<QDialog>(id, look);
            continue;
        }
        // Opened by "Files..." over a game dialog with a WAD list.
        rig.open<QDialog>(FormId::launch_solo, [&](QDialog &game) {
            child<QLineEdit>(game, "ExternalWad_textbox")->setText(wad_list_shown(rig));
            rig.platform.script(form_name(id), look);
            click(game, "Files_button");
        });
    }
}

} // namespace brx
