// Looks at a window as a user would: every caption must fit its control and every control
// must lie inside its container. Returns the problems found, one line each.
#pragma once

#include <QStringList>

class QWidget;

namespace brx {

QStringList layout_problems(QWidget &window);

} // namespace brx
