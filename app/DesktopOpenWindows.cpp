#include "app/DesktopOpen.h"

#include <QDir>
#include <QProcess>

void DesktopOpen::textFile(const QString& filePath)
{
    QProcess::startDetached(QStringLiteral("notepad.exe"), {QDir::toNativeSeparators(filePath)});
}

void DesktopOpen::webAddress(const QString& address)
{
    // The shell opens an address given to it in the user's default browser.
    QProcess::startDetached(QStringLiteral("explorer.exe"), {address});
}
