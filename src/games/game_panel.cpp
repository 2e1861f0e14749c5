#include "game_panel.h"

#include "file_chooser.h"

#include <QDir>

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

void GamePanel::fill(WadKind kind) const {
    skill->clear();
    skill->addItems(skill_names());
    skill->setCurrentIndex(3);
    level->addItems(level_names(kind));
    level->setCurrentIndex(level->count() > 0 ? 0 : -1);
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
    request.level = level->currentIndex() < 0 ? QString() : level->currentText();
    request.other_options = other_options->text();
}

void GamePanel::read_into(GameChoices &game) const {
    game.skill = skill->currentIndex();
    game.level = level->currentIndex() < 0 ? QString() : level->currentText();
    game.nomonsters = nomonsters->isChecked();
    game.respawnmonsters = respawnmonsters->isChecked();
    game.fastmonsters = Fastmonsters->isChecked();
    game.externalwad = ExternalWad_textbox->text();
    game.dehacked = Dehacked_textbox->text();
    game.other_options = other_options->text();
}

void GamePanel::apply(const GameChoices &game) const {
    skill->setCurrentIndex(game.skill);
    if (game.level.isEmpty())
        level->setCurrentIndex(level->count() > 0 ? 0 : -1);
    else if (const int found = level->findText(game.level, Qt::MatchExactly); found >= 0)
        level->setCurrentIndex(found);
    nomonsters->setChecked(game.nomonsters);
    respawnmonsters->setChecked(game.respawnmonsters);
    Fastmonsters->setChecked(game.fastmonsters);
    ExternalWad_textbox->setText(game.externalwad);
    Dehacked_textbox->setText(game.dehacked);
    other_options->setText(game.other_options);
}

} // namespace brx
