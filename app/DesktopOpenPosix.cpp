#include "app/DesktopOpen.h"

#include <QProcess>

// xdg-open hands both to the desktop's handler for the file type or the address (package xdg-utils).
void DesktopOpen::textFile(const QString& filePath)
{
    QProcess::startDetached(QStringLiteral("xdg-open"), {filePath});
}

void DesktopOpen::webAddress(const QString& address)
{
    QProcess::startDetached(QStringLiteral("xdg-open"), {address});
}
