#pragma once

#include <QString>

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
    return QStringLiteral("V1.0.36");
}
inline QString styleName()
{
    return QStringLiteral("Fusion");
}
inline QString windowIconPath()
{
    return QStringLiteral(":/logo/resources/icon.ico");
}

// Sets the organisation, domain, application name, version and the widget style. Runs before the application
// object exists, so that the window built right after it finds them.
void apply();
} // namespace ApplicationIdentity
