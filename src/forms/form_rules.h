// The rules every window of the launcher follows once its form has built the controls.
#pragma once

class QWidget;

namespace brx {

// Fixes the window at the size its form gives; keeps the controls of every tab page at the
// positions the form gives them, which (as in our window tables) are relative to the tab
// control itself, tab row included; draws frames with their caption on the border line; and
// makes Enter or Space press the focused button and nothing else: no button is a default.
void apply_form_rules(QWidget &window);

// Moves the window to the middle of its screen's free area.
void centre_on_screen(QWidget &window);

} // namespace brx
