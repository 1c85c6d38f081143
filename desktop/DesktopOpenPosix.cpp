#include "desktop/DesktopOpenPlatform.h"

#include <QProcess>

// xdg-open hands both to the desktop's handler for the file type or the address (package xdg-utils): the user's own
// choice of editor and browser.
void DesktopOpen::startTextEditor(const QString& filePath)
{
    QProcess::startDetached(QStringLiteral("xdg-open"), {filePath});
}

void DesktopOpen::startBrowser(const QString& address)
{
    QProcess::startDetached(QStringLiteral("xdg-open"), {address});
}
