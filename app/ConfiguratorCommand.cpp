#include "app/ConfiguratorCommand.h"

#include "app/WindowSetup.h"
#include "app/CommandOutput.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {
// The options that QGuiApplication and QApplication take out of the command line themselves.
const char* const qtValueOptions[] = {"platform",        "platformpluginpath", "platformtheme", "plugin",
                                      "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
                                      "display",         "geometry",           "title",         "style",
                                      "stylesheet",      "qmljsdebugger"};
const char* const qtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

QString helpText(const QString& program)
{
    return QStringLiteral("Usage: %1 [options] [parameter-file]\n"
                          "Opens the window of %2, which prepares the SD card of an Orva communication module.\n"
                          "Given a parameter file (GP0_0000.VSK or GP1_0000.VSK), the form starts with its mode and\n"
                          "values; each Generate draws a new identifier.\n"
                          "\n"
                          "Options:\n"
                          "  -h, --help     Displays this help and exits.\n"
                          "  -v, --version  Displays the version and exits.\n"
                          "\n"
                          "Qt's own options (-platform, -style, -reverse, ...) are taken as well.\n"
                          "vskwrite prepares a card from a script; vskinfo shows what is on a card.\n")
        .arg(program, ApplicationIdentity::applicationName());
}
} // namespace

ConfiguratorCommand::Parsed ConfiguratorCommand::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    // "-platform offscreen" as Qt writes its options, besides "--platform=offscreen".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({helpOption, versionOption});
    for (const char* name : qtValueOptions)
        parser.addOption(QCommandLineOption(QLatin1String(name), QString(), QStringLiteral("value")));
    for (const char* name : qtFlagOptions)
        parser.addOption(QCommandLineOption(QLatin1String(name)));

    const QString program = QFileInfo(arguments.value(0, QStringLiteral("OrvaConfigurator"))).fileName();
    if (!parser.parse(arguments))
        return {Parsed::Action::BadUsage, parser.errorText(), {}};
    if (parser.isSet(helpOption))
        return {Parsed::Action::Help, helpText(program), {}};
    if (parser.isSet(versionOption)) {
        return {Parsed::Action::Version,
                ApplicationIdentity::applicationName() + QLatin1Char(' ') + ApplicationIdentity::applicationVersion() +
                    QLatin1Char('\n'),
                {}};
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return {
            Parsed::Action::BadUsage,
            QStringLiteral("unexpected argument \"%1\": the program takes one parameter file at most").arg(files.at(1)),
            {}};
    }
    return {Parsed::Action::Run, QString(), files.value(0)};
}

std::optional<int> ConfiguratorCommand::handle(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const Parsed parsed = parse(arguments);
    const std::string title = ApplicationIdentity::applicationName().toStdString();
    switch (parsed.action) {
    case Parsed::Action::Run:
        return std::nullopt;
    case Parsed::Action::Help:
    case Parsed::Action::Version:
        return CommandOutput::tell(CommandOutput::Kind::Information, title, parsed.text.toStdString()) ? 0 : 2;
    case Parsed::Action::BadUsage:
        break;
    }
    const QString program = QFileInfo(arguments.value(0)).fileName();
    CommandOutput::tell(
        CommandOutput::Kind::Error, title,
        QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(program, parsed.text).toStdString());
    return 2;
}

QString ConfiguratorCommand::parameterFile(const QStringList& applicationArguments)
{
    return parse(applicationArguments).parameterFile;
}
