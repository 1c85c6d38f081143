#pragma once

#include <string>

// What the program answers on its command line (the help, the version, a usage error), told to whoever started it.
// Where a program has a console, on standard output or standard error; on Windows the window program has none, so
// there it is a message box. Free of Qt, so that the Windows side is checked by the cross compiler.
namespace CommandOutput {
enum class Kind
{
    Information, // the help or the version
    Error,       // a usage error
};

// The text is UTF-8; the title names the program where a box shows it. False when the text could not be told.
bool tell(Kind kind, const std::string& title, const std::string& text);
} // namespace CommandOutput
