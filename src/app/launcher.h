// The launcher's windows wired together: which dialog each form name opens, the program's
// look (font, icon), and the start-up sequence that main() runs.
#pragma once

#include <QStringList>
#include <optional>

class QApplication;

namespace brx {

class Forms;

// Whether to run on XWayland rather than on Wayland itself: a Wayland session that also offers
// an X display, where neither the user (QT_QPA_PLATFORM, -platform) nor anything else chose.
// Qt's own Wayland title bar offers maximize on every window, fixed-size ones too, and a
// compositor may drop a fixed-size window that is maximized; X window managers follow the
// windows' fixed size.
bool prefer_xwayland(const QString &wayland_display, const QString &display,
                     const QString &chosen_platform, const QStringList &arguments);

// Tells the registry how to make each dialog this build has.
void define_forms(Forms &forms);

// The font and icon every window uses.
void set_look(QApplication &app);

// Start-up, then the main loop; returns the program's exit code.
int run_launcher(QApplication &app);

// The options that act without the launcher's windows: "--list" prints the names of the
// presets, one a line, and needs no display; "--play NAME" starts the preset's game as "Okay"
// of its dialog would and ends; "--shortcut NAME" makes the preset's shortcut (see
// make_shortcut()) and prints its path. Returns the exit status, or nothing when the
// arguments ask for the windows. A failure is told in one line on the standard error.
std::optional<int> run_options(int &argc, char *argv[], const QStringList &arguments);

} // namespace brx
