// The multiplayer dialog: join a game on the "Join Game" page, or host one on "Host Game"
// with the game options panel, the mode, the limits and the dup option. The page that shows
// when "Okay" is pressed decides.
#pragma once

#include "game_dialog.h"
#include "ui_launch_multi.h"

namespace brx {

class launch_multi : public GameDialog, public Ui::launch_multi {
    Q_OBJECT
public:
    explicit launch_multi(Forms &forms);

    void Form_Load() override;
    LaunchRequest request() const override;
    GameChoices choices() const override;
    void apply(const GameChoices &game) override;

public slots:
    void timelimit_Click();
    void fraglimit_Click();

private:
    void follow_engine();
};

} // namespace brx
