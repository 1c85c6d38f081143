#pragma once

#include <QString>

// How each platform starts the text editor and the browser: DesktopOpenPosix.cpp or DesktopOpenWindows.cpp.
namespace DesktopOpen {
void startTextEditor(const QString& filePath);
void startBrowser(const QString& address);
} // namespace DesktopOpen
