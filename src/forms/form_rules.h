// The rules every window of the launcher follows once its form has built the controls.
#pragma once

class QWidget;

namespace brx {

// Fixes the window at the size its form gives; keeps the controls of every tab page at the
// positions the form gives them, which (as in our window tables) are relative to the tab
// control itself, tab row included; draws frames with their caption on the border line and
// the indicators of check boxes and option buttons whole in the controls' height; and
// makes Enter or Space press the focused button and nothing else: no button is a default.
void apply_form_rules(QWidget &window);

// How many pixels the control's caption (or a combo list's longest entry) is wider than the
// room the style gives it inside the control; 0 or less when it fits.
int caption_overflow(QWidget &control);

// The window tables were drawn for a narrower system font: while a caption does not fit its
// control, the whole window's text is drawn half a point smaller, down to 7 points, so that
// its captions keep one size. A control whose "user_entries" property is true (a list of names
// the user gave) is not asked: a long name does not shrink the window. For a window about to
// be shown, once its load step has filled it.
void fit_captions(QWidget &window);

// Moves the window to the middle of its screen's free area.
void centre_on_screen(QWidget &window);

} // namespace brx
