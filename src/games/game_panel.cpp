#include "game_panel.h"

#include "command_line.h"
#include "file_chooser.h"
#include "wad_list.h"

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
    list_levels(kind);
}

void GamePanel::list_levels(WadKind kind) const {
    level->clear();
    for (const QString &name : level_names(kind))
        level->addItem(name, name);
    level->setCurrentIndex(level->count() > 0 ? 0 : -1);
}

GameFiles files_by_extension(const QStringList &paths) {
    static const QStringList wads{QStringLiteral(".wad"), QStringLiteral(".pk3"),
                                  QStringLiteral(".pk7"), QStringLiteral(".zip")};
    static const QStringList patches{QStringLiteral(".deh"), QStringLiteral(".bex")};
    const auto one_of = [](const QString &path, const QStringList &suffixes) {
        for (const QString &suffix : suffixes) {
            if (path.endsWith(suffix, Qt::CaseInsensitive))
                return true;
        }
        return false;
    };
    GameFiles files;
    for (const QString &path : paths) {
        if (one_of(path, wads))
            files.wads << path;
        else if (one_of(path, patches))
            files.patch = path;
    }
    return files;
}

std::optional<GameFiles> choose_game_files(Forms &forms) {
    const std::optional<FilesChoice> choice =
        choose_files(forms, 0,
                     {QStringLiteral("Select Wads"),
                      QStringLiteral("Doom Wads (*.wad)|*.wad|Dehacked Patch (*.deh)|*.deh|"
                                     "Dehacked Patch (*.bex)|*.bex|"
                                     "Mods (*.wad *.pk3 *.pk7 *.zip *.deh *.bex)|"
                                     "*.wad;*.pk3;*.pk7;*.zip;*.deh;*.bex"),
                      {}},
                     &Settings::doom_iwad);
    if (!choice || choice->paths.isEmpty())
        return std::nullopt;
    // The selected filter decides, not the files' names, except under "Mods".
    switch (choice->filter) {
    case 1:
        return GameFiles{choice->paths, {}};
    case 2:
    case 3:
        return GameFiles{{}, choice->paths.constLast()};
    case 4:
        return files_by_extension(choice->paths);
    default:
        return std::nullopt;
    }
}

void GamePanel::show_levels(const QList<LevelEntry> &entries, const EngineFamily &family,
                            const QString &engine, WadKind kind) const {
    // A map the last game or a preset asked for comes first, once its files have been read.
    const QString wanted = level->property("wanted_map").toString();
    level->setProperty("wanted_map", QVariant());
    const QString selected = wanted.isEmpty() ? selected_map() : wanted;
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
    if (const std::optional<GameFiles> files = choose_game_files(forms))
        add(*files);
}

void GamePanel::add(const GameFiles &files) const {
    if (!files.wads.isEmpty())
        ExternalWad_textbox->setText(ExternalWad_textbox->text() + wad_text(files.wads));
    if (!files.patch.isEmpty())
        Dehacked_textbox->setText(files.patch);
}

void GamePanel::clear() const {
    ExternalWad_textbox->clear();
    Dehacked_textbox->clear();
}

bool GamePanel::take_dropped(const QList<QUrl> &urls) const {
    QStringList paths;
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            paths << QDir::toNativeSeparators(url.toLocalFile());
    }
    const GameFiles files = files_by_extension(paths);
    add(files);
    return !files.wads.isEmpty() || !files.patch.isEmpty();
}

void GamePanel::read_into(LaunchRequest &request) const {
    request.externalwad = ExternalWad_textbox->text();
    request.dehacked = Dehacked_textbox->text();
    request.nomonsters = nomonsters->isChecked() ? 1 : 0;
    request.respawnmonsters = respawnmonsters->isChecked() ? 1 : 0;
    request.fastmonsters = Fastmonsters->isChecked() ? 1 : 0;
    request.level = selected_map();
    request.other_options = other_options->text();
}

void GamePanel::read_into(GameChoices &game) const {
    game.skill = skill->currentIndex();
    game.level = selected_map();
    game.nomonsters = nomonsters->isChecked();
    game.respawnmonsters = respawnmonsters->isChecked();
    game.fastmonsters = Fastmonsters->isChecked();
    game.externalwad = ExternalWad_textbox->text();
    game.dehacked = Dehacked_textbox->text();
    game.other_options = other_options->text();
}

void GamePanel::apply(const GameChoices &game) const {
    skill->setCurrentIndex(game.skill);
    // The map may be one of the files' own, listed once the files have been read.
    level->setProperty("wanted_map", game.level);
    if (!select_map(game.level))
        level->setCurrentIndex(level->count() > 0 ? 0 : -1);
    nomonsters->setChecked(game.nomonsters);
    respawnmonsters->setChecked(game.respawnmonsters);
    Fastmonsters->setChecked(game.fastmonsters);
    ExternalWad_textbox->setText(game.externalwad);
    Dehacked_textbox->setText(game.dehacked);
    other_options->setText(game.other_options);
}

} // namespace brx
