#include "launch_solo.h"

#include "number_text.h"
#include "window_list.h"

namespace brx {

launch_solo::launch_solo(Forms &forms) : GameDialog(forms, FormId::launch_solo) {
    setupUi(this);
    game_form_built(*this);
}

void launch_solo::Form_Load() {
    GameDialog::Form_Load();
    finish_load();
    Okay_Button->setFocus();
}

GameChoices launch_solo::choices() const {
    GameChoices game = GameDialog::choices();
    game.gogame = gogame->isChecked();
    return game;
}

void launch_solo::apply(const GameChoices &game) {
    GameDialog::apply(game);
    gogame->setChecked(game.gogame);
}

LaunchRequest launch_solo::request() const {
    LaunchRequest request;
    request.launchkind = 1;
    request.clientdup_value = QStringLiteral("0");
    panel_.read_into(request);
    // The engine's skill number, with a blank in its sign place: " 4" for "Ultra-Violence".
    request.skill = number_text(skill->currentIndex() + 1);
    request.hostgame = 0;
    request.gogame = gogame->isChecked() ? 1 : 0;
    return request;
}

} // namespace brx
