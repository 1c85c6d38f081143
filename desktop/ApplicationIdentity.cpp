#include "desktop/ApplicationIdentity.h"

#include <QCoreApplication>

void ApplicationIdentity::setNames()
{
    QCoreApplication::setOrganizationName(organizationName());
    QCoreApplication::setOrganizationDomain(organizationDomain());
    QCoreApplication::setApplicationName(applicationName());
    QCoreApplication::setApplicationVersion(applicationVersion());
}
