#include "tools/WriterCommand.h"

#include "base/ShownText.h"
#include "form/FormTexts.h"
#include "generation/CardWriter.h"
#include "parameterfile/ParameterFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace {
struct FieldOption
{
    FormField::Id field;
    const char* name;
    const char* valueName;
    const char* description;
};
constexpr FieldOption fieldOptions[] = {
    {FormField::AccessPointName, "apn", "NAME", "The access point name (gsm)."},
    {FormField::Username, "user", "NAME", "The access point's user name (gsm)."},
    {FormField::Password, "password", "PASSWORD", "The access point's password (gsm)."},
    {FormField::PinCode, "pin", "PIN", "The SIM card's PIN, 4 to 6 digits, or empty (gsm, sms)."},
    {FormField::SimCardPhoneNumber, "sim", "NUMBER", "The SIM card's phone number, e.g. \"+41 79 123 45 67\" (sms)."},
    {FormField::OwnerPhoneNumber, "owner", "NUMBER", "The owner's phone number (sms)."},
    {FormField::UserKey, "key", "KEY", "The six-character user key (sms, unless --reset)."},
};

QString modeList()
{
    QStringList names;
    for (const ModeCode::Entry& mode : ModeCode::entries)
        names << QLatin1String(mode.commandName);
    return names.join(QLatin1Char('|'));
}

const FieldOption& optionOf(FormField::Id field)
{
    return *std::find_if(std::begin(fieldOptions), std::end(fieldOptions),
                         [field](const FieldOption& option) { return option.field == field; });
}

WriterCommand badUsage(const QString& text)
{
    WriterCommand command;
    command.action = WriterCommand::Action::BadUsage;
    command.text = text;
    return command;
}
} // namespace

QString writerModeName(quint8 modeCode)
{
    const char* name = ModeCode::commandName(modeCode);
    return name ? QString::fromLatin1(name) : QString();
}

GenerateTexts::Message writerFormProblem(const FormProblem& problem, FormField::Set remembered, const QString& preset)
{
    const QString option = QStringLiteral("--") + QLatin1String(optionOf(problem.field).name);
    return FormTexts::commandLineProblem(problem, option, (remembered & FormField::bit(problem.field)) != 0, preset);
}

WriterCommand parseWriterCommand(const QStringList& arguments, const std::function<FormValues()>& rememberedForm,
                                 const std::function<std::optional<FormValues>(const QString& name)>& presetForm)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral(
            "Writes the parameter file of an Orva communication module onto an SD card, as \"Generate\" in ORVA "
            "Configurator does: checks the form, labels the card \"%1\", writes %2 (%3 for sms) durably, prints the "
            "installation identifier on standard output, adds the card to the record of prepared cards and, for gsm "
            "and lan, saves the identifier file and opens it and the customer portal.\n\nExit status: 0 when the "
            "file was written, 1 when the form or the card was refused or the file could not be written, 2 on bad "
            "usage.")
            .arg(QLatin1String(cardVolumeLabel), parameterFileOnCard(parameterFileName(ModeCode::Default)),
                 parameterFileOnCard(parameterFileName(ModeCode::Sms))));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption modeOption(
        QStringLiteral("mode"), QStringLiteral("The module's mode: %1.").arg(modeList()), QStringLiteral("MODE"));
    parser.addOption(modeOption);
    std::vector<QCommandLineOption> fieldOptionList;
    for (const FieldOption& option : fieldOptions) {
        fieldOptionList.emplace_back(QLatin1String(option.name), QLatin1String(option.description),
                                     QLatin1String(option.valueName));
        parser.addOption(fieldOptionList.back());
    }
    const QCommandLineOption resetOption(
        QStringLiteral("reset"),
        QStringLiteral("\"Reset Configuration\" (sms): the PIN, the numbers and the key are then not needed."));
    const QCommandLineOption fromSettingsOption(
        QStringLiteral("from-settings"),
        QStringLiteral("Start from the form that ORVA Configurator remembers; options given beside it replace its "
                       "values."));
    const QCommandLineOption presetOption(
        QStringLiteral("preset"),
        QStringLiteral("Start from the preset of this name that ORVA Configurator keeps; options given beside it "
                       "replace its values."),
        QStringLiteral("NAME"));
    const QCommandLineOption anyFolderOption(
        QStringLiteral("any-folder"),
        QStringLiteral("Take CARD_ROOT as a card's root even when it is not a mounted removable card (to prepare an "
                       "image); it is not labelled."));
    const QCommandLineOption noOpenOption(QStringLiteral("no-open"),
                                          QStringLiteral("Open neither the identifier file nor the customer portal."));
    const QCommandLineOption replaceOption(
        QStringLiteral("replace"),
        QStringLiteral(
            "Replace a gsm or lan file on the card, whose identifier was handed to the user, or a file that "
            "cannot be read or whose mode is not known; without it such a card is refused. The installation then "
            "needs registering again with the new identifier."));
    const QCommandLineOption listOption(
        QStringLiteral("list"),
        QStringLiteral("List the removable cards instead, one a line: root, name, capacity in bytes, reader, read-only "
                       "or writable, and what the card holds (in the window's words), separated by tabs."));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        QStringLiteral("With --list or --each-card: one JSON object a line."));
    const QCommandLineOption eachCardOption(
        QStringLiteral("each-card"),
        QStringLiteral("Instead of CARD_ROOT: wait for cards and prepare each card put in from now on, one line per "
                       "card as it ends. A card holding a gsm or lan file is kept unless --replace; a card prepared "
                       "earlier in the run is not written again. SIGINT or SIGTERM ends it after the cards in hand, "
                       "with a summary on standard error; exit status 0 when every card was prepared."));
    const QCommandLineOption countOption(QStringLiteral("count"),
                                         QStringLiteral("With --each-card: end once N cards were prepared."),
                                         QStringLiteral("N"));
    const QCommandLineOption skipReaderOption(
        QStringLiteral("skip-reader"),
        QStringLiteral("With --each-card: leave the cards put in this reader alone (its readerId in --list --json); "
                       "may be given more than once."),
        QStringLiteral("ID"));
    const QCommandLineOption ejectOption(
        QStringLiteral("eject"),
        QStringLiteral("With --each-card: let each card go once it ended (unmounted, its reader powered off where it "
                       "can be), so that its line may say it may be removed."));
    parser.addOptions({resetOption, fromSettingsOption, presetOption, anyFolderOption, noOpenOption, replaceOption,
                       listOption, jsonOption, eachCardOption, countOption, skipReaderOption, ejectOption});
    parser.addPositionalArgument(QStringLiteral("CARD_ROOT"), QStringLiteral("The root folder of the mounted card."));

    if (!parser.parse(arguments))
        return badUsage(parser.errorText());
    // --help-all would add Qt's own options, of which a program without a window has none.
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        WriterCommand command;
        command.action = WriterCommand::Action::Help;
        command.text = parser.helpText();
        return command;
    }
    if (parser.isSet(versionOption)) {
        WriterCommand command;
        command.action = WriterCommand::Action::Version;
        return command;
    }

    if (parser.isSet(skipReaderOption) && !parser.isSet(eachCardOption))
        return badUsage(QStringLiteral("--skip-reader goes with --each-card"));
    if (parser.isSet(ejectOption) && !parser.isSet(eachCardOption))
        return badUsage(QStringLiteral("--eject goes with --each-card"));

    if (parser.isSet(listOption)) {
        WriterCommand command;
        command.action = WriterCommand::Action::List;
        command.json = parser.isSet(jsonOption);
        // Either lists or writes: a script that asks for both must not be taken for one of them.
        if (parser.isSet(eachCardOption))
            return badUsage(QStringLiteral("--list does not go with --each-card"));
        if (!parser.positionalArguments().isEmpty())
            return badUsage(QStringLiteral("--list takes no card root"));
        return command;
    }
    const bool eachCard = parser.isSet(eachCardOption);
    if (parser.isSet(jsonOption) && !eachCard)
        return badUsage(QStringLiteral("--json goes with --list or --each-card"));
    if (parser.isSet(countOption) && !eachCard)
        return badUsage(QStringLiteral("--count goes with --each-card"));

    WriterCommand command;
    command.action = eachCard ? WriterCommand::Action::EachCard : WriterCommand::Action::Write;
    if (eachCard) {
        bool number = true;
        command.count = parser.isSet(countOption) ? parser.value(countOption).toInt(&number) : 0;
        if (!number || command.count < 0)
            return badUsage(
                QStringLiteral("--count takes a number of cards, not \"%1\"").arg(parser.value(countOption)));
        command.json = parser.isSet(jsonOption);
        command.skippedReaders = parser.values(skipReaderOption);
        command.eject = parser.isSet(ejectOption);
        if (parser.isSet(anyFolderOption))
            return badUsage(QStringLiteral("--any-folder does not go with --each-card"));
    }
    const bool fromSettings = parser.isSet(fromSettingsOption);
    const bool fromPreset = parser.isSet(presetOption);
    if (fromSettings && fromPreset)
        return badUsage(QStringLiteral("--from-settings and --preset cannot go together"));
    if (fromSettings) {
        command.values = rememberedForm();
    } else if (fromPreset) {
        command.preset = parser.value(presetOption);
        const std::optional<FormValues> preset = presetForm ? presetForm(command.preset) : std::nullopt;
        if (!preset) {
            command.action = WriterCommand::Action::PresetRefused;
            return command;
        }
        command.values = *preset;
    }
    if (fromSettings || fromPreset) {
        for (const FormField::Description& field : FormField::fields)
            command.remembered |= FormField::bit(field.id);
    }
    if (parser.isSet(modeOption)) {
        const QString name = parser.value(modeOption);
        const auto mode =
            std::find_if(ModeCode::entries.begin(), ModeCode::entries.end(), [&](const ModeCode::Entry& entry) {
                return name.compare(QLatin1String(entry.commandName), Qt::CaseInsensitive) == 0;
            });
        if (mode == ModeCode::entries.end())
            return badUsage(QStringLiteral("unknown mode \"%1\"; the modes are %2").arg(name, modeList()));
        command.values.modeCode = mode->code;
    } else if (!fromSettings && !fromPreset) {
        return badUsage(QStringLiteral("--mode or --from-settings or --preset is needed"));
    }
    const QString modeName = writerModeName(command.values.modeCode);
    for (std::size_t i = 0; i < fieldOptionList.size(); ++i) {
        if (!parser.isSet(fieldOptionList[i]))
            continue;
        const FormField::Id field = fieldOptions[i].field;
        if (!command.values.shows(field))
            return badUsage(
                QStringLiteral("--%1 is not used in mode %2").arg(QLatin1String(fieldOptions[i].name), modeName));
        const QString text = parser.value(fieldOptionList[i]);
        // A value that the window's field could not hold is refused before anything else is looked at.
        if (isTooLong(field, text))
            return badUsage(QStringLiteral("--%1 takes at most %2 characters, not %3")
                                .arg(QLatin1String(fieldOptions[i].name))
                                .arg(FormField::describe(field).maxLength)
                                .arg(text.size()));
        command.values.text(field) = text;
        command.remembered &= FormField::Set(~FormField::bit(field));
    }
    if (parser.isSet(resetOption)) {
        if (!command.values.showsReset())
            return badUsage(QStringLiteral("--reset is not used in mode %1").arg(modeName));
        command.values.resetConfig = true;
    }

    const QStringList positional = parser.positionalArguments();
    if (eachCard) {
        if (!positional.isEmpty())
            return badUsage(QStringLiteral("--each-card takes no card root"));
        command.noOpen = parser.isSet(noOpenOption);
        command.replace = parser.isSet(replaceOption);
        return command;
    }
    if (positional.size() != 1)
        return badUsage(positional.isEmpty() ? QStringLiteral("the card's root folder is missing")
                                             : QStringLiteral("one card root only, not %1").arg(positional.size()));
    // An empty name is no folder: taken as one, it would put the folder "02" at the root of the computer's own disk.
    if (positional.first().isEmpty())
        return badUsage(QStringLiteral("the card's root folder is empty"));
    command.cardRoot = QDir::cleanPath(QFileInfo(positional.first()).absoluteFilePath());
    command.anyFolder = parser.isSet(anyFolderOption);
    command.noOpen = parser.isSet(noOpenOption);
    command.replace = parser.isSet(replaceOption);
    return command;
}
