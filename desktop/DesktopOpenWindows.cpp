#include "desktop/DesktopOpenPlatform.h"

#include <QProcess>

#include <windows.h>

#include <shellapi.h>

// Notepad, by its bare name, is given the file's full path as Qt spells it ("/" separators), as its one argument.
void DesktopOpen::startTextEditor(const QString& filePath)
{
    QProcess::startDetached(QStringLiteral("notepad.exe"), {filePath});
}

// The shell opens an address in the user's default browser.
void DesktopOpen::startBrowser(const QString& address)
{
    ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(address.utf16()), nullptr, nullptr, SW_SHOWNORMAL);
}
