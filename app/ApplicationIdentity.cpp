#include "app/ApplicationIdentity.h"

#include <QApplication>

void ApplicationIdentity::apply()
{
    QCoreApplication::setOrganizationName(organizationName());
    QCoreApplication::setOrganizationDomain(organizationDomain());
    QCoreApplication::setApplicationName(applicationName());
    QCoreApplication::setApplicationVersion(applicationVersion());
    QApplication::setStyle(styleName());
}
