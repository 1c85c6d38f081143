#pragma once

#include "orva_version.h"

#include <QString>

// Who the programs are. The window and vskwrite share the settings store and the record of prepared cards, both filed
// under the organisation and application names: changing either loses the remembered form.
namespace ApplicationIdentity {
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
// The menu entry (orva-configurator.desktop) and the icon in the desktop's icon theme carry this name.
inline QString desktopFileName()
{
    return QStringLiteral("orva-configurator");
}

// Sets the organisation, domain, application name and version of the application (object or not yet).
void setNames();
} // namespace ApplicationIdentity
