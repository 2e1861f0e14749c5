// Every window of the launcher, opened as a user opens it: the main window after start-up and
// each dialog of the registry from it. The visitor sees every page of a window with tabs.
#pragma once

#include "rig.h"

#include <functional>

namespace brx {

// The record every window is opened with: an engine and a Doom II IWAD.
inline const QByteArray configured =
    "/usr/games/zdoom,/usr/share/games/doom/DOOM2.WAD,640,480,44100, 2 , 1 \r\n";

// Visits the window once per tab page it shows (page names the current page, empty for a
// window without tabs).
void for_each_window(Rig &rig,
                     const std::function<void(QWidget &window, const QString &page)> &visit);

} // namespace brx
