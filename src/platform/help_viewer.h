// Opening the help. On Windows, HTML Help's viewer is started with the help file's name alone
// ("hh.exe BRX.chm") and finds the file in the current folder, the launcher's own. Elsewhere
// there is no such viewer: the HTML pages the help file is made from, beside the launcher
// (help/index.html) or, for a launcher installed in a bin folder, in ../share/brixmoor/help,
// open in the desktop's own viewer through xdg-open. Both go through the platform's program
// start, handed in, so that either runs on any desktop.
#pragma once

#include "platform.h"

#include <functional>

namespace brx {

using HelpStarter = std::function<int(const QStringList &arguments, const QString &command_line,
                                      const StartWatch &watch)>;

// Only a viewer that cannot be found gets words; any other failure passes silently.
HelpStart open_windows_help(const QString &file, const HelpStarter &start);

// Every failure gets words naming what is missing: the pages, xdg-open, or (told later,
// through `tell`, when xdg-open soon gives up) a browser.
HelpStart open_html_help(const QString &program_folder, const HelpStarter &start,
                         const std::function<void(const QString &)> &tell);

} // namespace brx
