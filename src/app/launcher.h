// The launcher's windows wired together: which dialog each form name opens, the program's
// look (font, icon), and the start-up sequence that main() runs.
#pragma once

class QApplication;

namespace brx {

class Forms;

// Tells the registry how to make each dialog this build has.
void define_forms(Forms &forms);

// The font and icon every window uses.
void set_look(QApplication &app);

// Start-up, then the main loop; returns the program's exit code.
int run_launcher(QApplication &app);

} // namespace brx
