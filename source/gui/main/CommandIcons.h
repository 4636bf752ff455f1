#pragma once

// The pictures of the toolbar's commands: the icon theme's, or drawn where the theme has none.

#include <QIcon>
#include <QString>

namespace kelvo {

// A picture for the command of that object name; none for a command without one.
QIcon CommandIcon(const QString& command);

} // namespace kelvo
