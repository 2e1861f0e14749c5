// The single-player dialog: the game options panel and "Go straight in to game"; "Okay"
// starts the game.
#pragma once

#include "game_dialog.h"
#include "ui_launch_solo.h"

namespace brx {

class launch_solo : public GameDialog, public Ui::launch_solo {
    Q_OBJECT
public:
    explicit launch_solo(Forms &forms);

    void Form_Load() override;

    LaunchRequest request() const override;
    GameChoices choices() const override;
    void apply(const GameChoices &game) override;
};

} // namespace brx
