// How the launcher writes the numbers it formats itself, in brx.cfg, on the engine's command
// line and on the main window: a blank stands in the sign place of a non-negative number.
#pragma once

#include <QString>

namespace brx {

// " 2", "-1".
inline QString number_text(qint64 number) {
    return number >= 0 ? u' ' + QString::number(number) : QString::number(number);
}

} // namespace brx
