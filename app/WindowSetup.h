#pragma once

#include "desktop/ApplicationIdentity.h"

#include <QString>

class QIcon;
class QWidget;

// What the window program sets up around its window: the application's names, style, scaling and icon.
namespace WindowSetup {
inline QString styleName()
{
    return QStringLiteral("Fusion");
}
inline QString windowIconPath()
{
    return QStringLiteral(":/logo/resources/icon.ico");
}

// Sets the organisation, domain, application name, version, the widget style, the desktop entry and high-density
// scaling. Runs before the application object exists, so that the window built right after it finds them.
void apply();

// The program's built-in 48 x 48 icon, which costs no search. Needs the application object.
QIcon windowIcon();

// Sets the built-in icon as the application's window icon at once and, once window has painted for the first time,
// the program's icon from the desktop's icon theme, in every size the theme has, where a theme holds it (not on
// Windows, nor in a build that is not installed). The theme's index is read then: the first paint does not wait for
// it. Call it before the window shows.
void setWindowIcon(QWidget& window);
} // namespace WindowSetup
