#pragma once

#include <QString>

// What vskwrite hands to the desktop, without a window of its own (and so without a display connection): started
// as detached programs, not waited for, their results not looked at.
namespace DesktopOpen {
// Shows a text file in the user's text editor.
void textFile(const QString& filePath);
// Opens a web address in the user's browser.
void webAddress(const QString& address);
} // namespace DesktopOpen
