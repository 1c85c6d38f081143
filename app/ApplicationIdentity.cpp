#include "app/ApplicationIdentity.h"

#include <QApplication>
#include <QIcon>

void ApplicationIdentity::apply()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 5 scales for the screen's density only when asked before the application object exists; without it a
    // 192-dpi screen gets twice-sized fonts in a layout of unscaled pixels, and the labels are cut. Qt 6 always scales.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    QCoreApplication::setOrganizationName(organizationName());
    QCoreApplication::setOrganizationDomain(organizationDomain());
    QCoreApplication::setApplicationName(applicationName());
    QCoreApplication::setApplicationVersion(applicationVersion());
    // Ties the window to its menu entry: Wayland's application id, and the task bar's entry and icon.
    QGuiApplication::setDesktopFileName(desktopFileName());
    QApplication::setStyle(styleName());
}

QIcon ApplicationIdentity::windowIcon()
{
    return QIcon::fromTheme(desktopFileName(), QIcon(windowIconPath()));
}
