#pragma once

#include "orva_version.h"

#include <QString>

class QIcon;

namespace ApplicationIdentity {
// The settings store is filed under the organisation and application names: changing either loses the remembered form.
inline QString organizationName()
{
    return QStringLiteral("Vaskor Quendra SA");
}
inline QString organizationDomain()
{
    return QStringLiteral("www.orva.example.net");
}
inline QString applicationName()
{
    return QStringLiteral("ORVA Configurator");
}
inline QString applicationVersion()
{
    return QStringLiteral("V" ORVA_VERSION);
}
inline QString styleName()
{
    return QStringLiteral("Fusion");
}
inline QString windowIconPath()
{
    return QStringLiteral(":/logo/resources/icon.ico");
}
// The menu entry (orva-configurator.desktop) and the icon in the desktop's icon theme carry this name.
inline QString desktopFileName()
{
    return QStringLiteral("orva-configurator");
}

// Sets the organisation, domain, application name, version, the widget style, the desktop entry and high-density
// scaling. Runs before the application object exists, so that the window built right after it finds them.
void apply();

// The program's icon from the desktop's icon theme, in every size the theme has; the built-in 48 x 48 icon where no
// theme holds it (Windows, a build that is not installed). Needs the application object.
QIcon windowIcon();
} // namespace ApplicationIdentity
