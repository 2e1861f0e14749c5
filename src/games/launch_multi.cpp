#include "launch_multi.h"

#include "brxdata.h"
#include "engine_family.h"
#include "window_list.h"

namespace brx {

launch_multi::launch_multi(Forms &forms) : GameDialog(forms, FormId::launch_multi) {
    setupUi(this);
    game_form_built(*this);
    connect(timelimit, &QCheckBox::clicked, this, &launch_multi::timelimit_Click);
    connect(fraglimit, &QCheckBox::clicked, this, &launch_multi::fraglimit_Click);
}

void launch_multi::Form_Load() {
    SSTab1->setCurrentIndex(0);
    GameDialog::Form_Load();
    mode->addItems({QStringLiteral("Cooperative"), QStringLiteral("DM weapons respawn"),
                    QStringLiteral("DM weapons stay")});
    mode->setCurrentIndex(0);
    for (QComboBox *list : {playernum, clientdup_value, serverdup_value})
        list->setCurrentIndex(0);
    follow_engine();
    finish_load();
    SSTab1->setFocus();
}

GameChoices launch_multi::choices() const {
    GameChoices game = GameDialog::choices();
    game.page = SSTab1->currentIndex();
    game.hostip = hostip->text();
    game.mode = mode->currentIndex();
    game.timelimit = timelimit->isChecked();
    game.timetext = timetext->text();
    game.timetext_enabled = timetext->isEnabled();
    game.fraglimit = fraglimit->isChecked();
    game.fragtext = fragtext->text();
    game.fragtext_enabled = fragtext->isEnabled();
    game.client_dup = client_dup->isChecked();
    game.clientdup_value = clientdup_value->currentText();
    game.host_dup = host_dup->isChecked();
    game.serverdup_value = serverdup_value->currentText();
    game.playernum = playernum->currentText();
    return game;
}

namespace {

// The entry of the list, when the list holds it; else the list stays as it is.
void pick(QComboBox *list, const QString &entry) {
    if (const int found = list->findText(entry, Qt::MatchExactly); found >= 0)
        list->setCurrentIndex(found);
}

} // namespace

void launch_multi::apply(const GameChoices &game) {
    GameDialog::apply(game);
    SSTab1->setCurrentIndex(game.page);
    hostip->setText(game.hostip);
    mode->setCurrentIndex(game.mode);
    timelimit->setChecked(game.timelimit);
    timetext->setText(game.timetext);
    timetext->setEnabled(game.timetext_enabled);
    fraglimit->setChecked(game.fraglimit);
    fragtext->setText(game.fragtext);
    fragtext->setEnabled(game.fragtext_enabled);
    client_dup->setChecked(game.client_dup);
    pick(clientdup_value, game.clientdup_value);
    host_dup->setChecked(game.host_dup);
    pick(serverdup_value, game.serverdup_value);
    pick(playernum, game.playernum);
}

// What the stored engine's family has no option for is greyed, with a tooltip saying why; the
// launch itself still refuses what the family cannot do.
void launch_multi::follow_engine() {
    Settings settings;
    read_settings_file(BRXdata::settings_path(platform()), settings);
    const EngineFamily &family = engine_family(settings.doom_exe);
    const KnownEngine *known = known_engine(settings.doom_exe);
    const QString name =
        known ? QString::fromUtf16(known->display_name) : engine_name(settings.doom_exe);
    if (!family.fraglimit) {
        for (QWidget *control :
             {static_cast<QWidget *>(fraglimit), static_cast<QWidget *>(fragtext)}) {
            control->setEnabled(false);
            control->setToolTip(QStringLiteral("%1 has no frag limit option.").arg(name));
        }
    }
    if (!family.network) {
        for (QWidget *page : {SSTab1_0, SSTab1_1}) {
            page->setEnabled(false);
            page->setToolTip(QStringLiteral("%1 plays no network games.").arg(name));
        }
    }
}

// Each click flips its text box, which keeps its text: a limit can be typed exactly while
// its box is ticked.
void launch_multi::timelimit_Click() {
    timetext->setEnabled(!timetext->isEnabled());
}

void launch_multi::fraglimit_Click() {
    fragtext->setEnabled(!fragtext->isEnabled());
}

LaunchRequest launch_multi::request() const {
    LaunchRequest request;
    request.launchkind = qint16(SSTab1->currentIndex());
    request.hostip = hostip->text();
    request.client_dup = client_dup->isChecked() ? 1 : 0;
    request.clientdup_value = clientdup_value->currentText();
    panel_.read_into(request);
    // The list's index: the launch adds 1 for a hosted game.
    request.skill = QString::number(skill->currentIndex());
    request.mode = qint16(mode->currentIndex());
    request.timelimit = timelimit->isChecked() ? 1 : 0;
    request.timetext = timetext->text();
    request.fraglimit = fraglimit->isChecked() ? 1 : 0;
    request.fragtext = fragtext->text();
    request.host_dup = host_dup->isChecked() ? 1 : 0;
    request.serverdup_value = qint16(serverdup_value->currentText().toShort());
    request.playernum = playernum->currentText();
    request.hostgame = -1;
    request.gogame = 1;
    return request;
}

} // namespace brx
