#include "game_panel.h"

#include "command_line.h"
#include "file_chooser.h"

#include <QDir>
#include <QStandardItemModel>

namespace brx {

QStringList skill_names() {
    return {QStringLiteral("I'm too young to die"), QStringLiteral("Hey, not too rough"),
            QStringLiteral("Hurt me plenty"), QStringLiteral("Ultra-Violence"),
            QStringLiteral("Nightmare!")};
}

QStringList level_names(WadKind kind) {
    QStringList levels;
    switch (kind) {
    case WadKind::doom:
        for (int episode = 1; episode <= 4; ++episode) {
            for (int map = 1; map <= 9; ++map)
                levels << QStringLiteral("E%1M%2").arg(episode).arg(map);
        }
        break;
    case WadKind::doom2:
        for (int map = 1; map <= 32; ++map)
            levels << QStringLiteral("Map%1").arg(map, 2, 10, QLatin1Char('0'));
        break;
    case WadKind::unknown:
        break;
    }
    return levels;
}

QList<LevelEntry> level_entries(const MapList &maps, WadKind kind) {
    const auto entry = [](const QString &map, const QString &title) {
        return LevelEntry{title.isEmpty() ? map : map + QStringLiteral(": ") + title, map};
    };
    QList<LevelEntry> entries, own;
    for (qsizetype i = 0; i < maps.iwad_first && i < maps.maps.size(); ++i)
        entries << entry(maps.maps[i].map, maps.maps[i].title);
    const QStringList fixed = level_names(kind);
    for (const QString &name : fixed) {
        QString title;
        for (qsizetype i = maps.iwad_first; i < maps.maps.size(); ++i) {
            if (maps.maps[i].map.compare(name, Qt::CaseInsensitive) == 0)
                title = maps.maps[i].title;
        }
        own << entry(name, title);
    }
    if (fixed.isEmpty()) {
        for (qsizetype i = maps.iwad_first; i < maps.maps.size(); ++i)
            own << entry(maps.maps[i].map, maps.maps[i].title);
    }
    if (!entries.isEmpty() && !own.isEmpty())
        entries << LevelEntry{};
    return entries + own;
}

void GamePanel::fill(WadKind kind) const {
    skill->clear();
    skill->addItems(skill_names());
    skill->setCurrentIndex(3);
    for (const QString &name : level_names(kind))
        level->addItem(name, name);
    level->setCurrentIndex(level->count() > 0 ? 0 : -1);
}

void GamePanel::show_levels(const QList<LevelEntry> &entries, const EngineFamily &family,
                            const QString &engine, WadKind kind) const {
    const QString selected = selected_map();
    level->clear();
    auto *model = qobject_cast<QStandardItemModel *>(level->model());
    for (const LevelEntry &entry : entries) {
        if (entry.map.isEmpty()) {
            level->insertSeparator(level->count());
            continue;
        }
        level->addItem(entry.text, entry.map);
        const LevelWarp warp = level_warp(family, entry.map, kind);
        if (!warp.unreachable.isEmpty() && model) {
            QStandardItem *item = model->item(level->count() - 1);
            item->setEnabled(false);
            item->setToolTip(engine + QStringLiteral(" cannot start ") + entry.map +
                             QStringLiteral(": ") + warp.unreachable + u'.');
        }
    }
    if (selected.isEmpty() || !select_map(selected)) {
        level->setCurrentIndex(-1);
        for (int i = 0; i < level->count(); ++i) {
            if (model && model->item(i)->isEnabled() && !level->itemData(i).toString().isEmpty()) {
                level->setCurrentIndex(i);
                break;
            }
        }
    }
}

QString GamePanel::selected_map() const {
    const int at = level->currentIndex();
    return at < 0 ? QString() : level->itemData(at).toString();
}

bool GamePanel::select_map(const QString &map) const {
    const int at = level->findData(map);
    const auto *model = qobject_cast<QStandardItemModel *>(level->model());
    if (at < 0 || map.isEmpty() || (model && !model->item(at)->isEnabled()))
        return false;
    level->setCurrentIndex(at);
    return true;
}

void GamePanel::choose_external_file(Forms &forms) const {
    choose_file(
        forms, 0,
        {QStringLiteral("Select Wads"),
         QStringLiteral("Doom Wads (*.wad)|*.wad|Dehacked Patch (*.deh)|*.deh|"
                        "Dehacked Patch (*.bex)|*.bex"),
         {}},
        &Settings::doom_iwad,
        {{ExternalWad_textbox, FileTarget::append}, {Dehacked_textbox}, {Dehacked_textbox}});
}

void GamePanel::clear() const {
    ExternalWad_textbox->clear();
    Dehacked_textbox->clear();
}

bool GamePanel::take_dropped(const QList<QUrl> &urls) const {
    bool taken = false;
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            continue;
        const QString path = QDir::toNativeSeparators(url.toLocalFile());
        if (path.endsWith(QStringLiteral(".wad"), Qt::CaseInsensitive)) {
            ExternalWad_textbox->setText(ExternalWad_textbox->text() + u' ' + path);
            taken = true;
        } else if (path.endsWith(QStringLiteral(".deh"), Qt::CaseInsensitive) ||
                   path.endsWith(QStringLiteral(".bex"), Qt::CaseInsensitive)) {
            Dehacked_textbox->setText(path);
            taken = true;
        }
    }
    return taken;
}

void GamePanel::read_into(LaunchRequest &request) const {
    request.externalwad = ExternalWad_textbox->text();
    request.dehacked = Dehacked_textbox->text();
    request.nomonsters = nomonsters->isChecked() ? 1 : 0;
    request.respawnmonsters = respawnmonsters->isChecked() ? 1 : 0;
    request.fastmonsters = Fastmonsters->isChecked() ? 1 : 0;
    request.level = selected_map();
}

} // namespace brx
