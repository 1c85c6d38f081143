#pragma once

#include <QStringList>

#include <optional>

// OrvaConfigurator's command line, read before the application object exists, so that --help and --version need no
// display. The program takes no options of its own but these, and at most one parameter file, which fills the form;
// Qt's own options (-platform, -style, ...) pass on to Qt.
namespace ConfiguratorCommand {
struct Parsed
{
    enum class Action
    {
        Run,
        Help,
        Version,
        BadUsage,
    };
    Action action = Action::Run;
    QString text;          // the help, the version line, or what is wrong
    QString parameterFile; // Run: the file to fill the form from, or empty
};

Parsed parse(const QStringList& arguments);

// Tells the help, the version or the usage error (a message box on Windows) and returns the exit status (0, or 2 for
// bad usage); nothing when the window is to be opened.
std::optional<int> handle(int argc, char* argv[]);

// The parameter file named on the command line, or empty; from the application's arguments, which on Windows keep
// every character of a file name that the system's code page lacks.
QString parameterFile(const QStringList& applicationArguments);
} // namespace ConfiguratorCommand
