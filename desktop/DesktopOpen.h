#pragma once

#include <QString>

#include <functional>

// What the programs hand to the desktop: the identifier file to the text editor, the customer portal to the browser.
// Both are started detached, neither is waited for, and no result is looked at: the user still has the file and the
// address. Needs no window (and so no display connection): vskwrite uses it as the window does.
namespace DesktopOpen {
// Shows a text file in the text editor.
void textFile(const QString& filePath);
// Opens a web address in the user's browser.
void webAddress(const QString& address);

// Tests see what would be opened instead of starting anything: kind is textFile's or webAddress's, target the path or
// the address. An empty handler starts the desktop's programs again.
enum class Kind
{
    TextFile,
    WebAddress
};
using Handler = std::function<void(Kind kind, const QString& target)>;
void setHandler(Handler handler);
} // namespace DesktopOpen
