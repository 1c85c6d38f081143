#pragma once

#include <QStringList>

#include <optional>

// OrvaConfigurator's command line, read before the application object exists, so that --help and --version need no
// display. The program takes no options of its own but these; Qt's own (-platform, -style, ...) pass on to Qt.
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
    QString text; // the help, the version line, or what is wrong
};

Parsed parse(const QStringList& arguments);

// Prints the help, the version or the usage error and returns the exit status (0, or 2 for bad usage); nothing when
// the window is to be opened.
std::optional<int> handle(int argc, char* argv[]);
} // namespace ConfiguratorCommand
