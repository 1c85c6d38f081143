#include "app/ConfiguratorCommand.h"

#include "app/ApplicationIdentity.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

namespace {
// The options that QGuiApplication and QApplication take out of the command line themselves.
const char* const qtValueOptions[] = {"platform",        "platformpluginpath", "platformtheme", "plugin",
                                      "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
                                      "display",         "geometry",           "title",         "style",
                                      "stylesheet",      "qmljsdebugger"};
const char* const qtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

QString helpText(const QString& program)
{
    return QStringLiteral("Usage: %1 [options]\n"
                          "Opens the window of %2, which prepares the SD card of an Orva communication module.\n"
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
        return {Parsed::Action::BadUsage, parser.errorText()};
    if (parser.isSet(helpOption))
        return {Parsed::Action::Help, helpText(program)};
    if (parser.isSet(versionOption)) {
        return {Parsed::Action::Version, ApplicationIdentity::applicationName() + QLatin1Char(' ') +
                                             ApplicationIdentity::applicationVersion() + QLatin1Char('\n')};
    }
    if (!parser.positionalArguments().isEmpty()) {
        return {Parsed::Action::BadUsage,
                QStringLiteral("unexpected argument \"%1\": the program takes no file or card")
                    .arg(parser.positionalArguments().constFirst())};
    }
    return {};
}

std::optional<int> ConfiguratorCommand::handle(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const Parsed parsed = parse(arguments);
    switch (parsed.action) {
    case Parsed::Action::Run:
        return std::nullopt;
    case Parsed::Action::Help:
    case Parsed::Action::Version:
        std::fputs(qPrintable(parsed.text), stdout);
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 2;
    case Parsed::Action::BadUsage:
        break;
    }
    const QString program = QFileInfo(arguments.value(0)).fileName();
    std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", qPrintable(program),
                 qPrintable(parsed.text), qPrintable(program));
    return 2;
}
