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
#include <iterator>
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

namespace {
// The options beside the fields', in the order of the help.
enum class Option
{
    Mode,
    Reset,
    FromSettings,
    Preset,
    AnyFolder,
    NoOpen,
    Replace,
    List,
    Json,
    EachCard,
    Count,
    SkipReader,
    Eject,
    Values,
    Qr,
    Labels,
};

struct OptionEntry
{
    Option option;
    const char* name;
    const char* valueName; // nullptr for a switch
    const char* description;
};

// The mode's description names the modes: it is written when the parser is made.
constexpr OptionEntry optionEntries[] = {
    {Option::Mode, "mode", "MODE", nullptr},
    {Option::Reset, "reset", nullptr,
     "\"Reset Configuration\" (sms): the PIN, the numbers and the key are then not needed."},
    {Option::FromSettings, "from-settings", nullptr,
     "Start from the form that ORVA Configurator remembers; options given beside it replace its values."},
    {Option::Preset, "preset", "NAME",
     "Start from the preset of this name that ORVA Configurator keeps; options given beside it replace its values."},
    {Option::AnyFolder, "any-folder", nullptr,
     "Take CARD_ROOT as a card's root even when it is not a mounted removable card (to prepare an image); it is not "
     "labelled."},
    {Option::NoOpen, "no-open", nullptr, "Open neither the identifier file nor the customer portal."},
    {Option::Replace, "replace", nullptr,
     "Replace a gsm or lan file on the card, whose identifier was handed to the user, or a file that cannot be read or "
     "whose mode is not known; without it such a card is refused. The installation then needs registering again with "
     "the new identifier."},
    {Option::List, "list", nullptr,
     "List the removable cards instead, one a line: root, name, capacity in bytes, reader, read-only or writable, and "
     "what the card holds (in the window's words), separated by tabs."},
    {Option::Json, "json", nullptr, "With --list or --each-card: one JSON object a line."},
    {Option::EachCard, "each-card", nullptr,
     "Instead of CARD_ROOT: wait for cards and prepare each card put in from now on, one line per card as it ends. A "
     "card holding a gsm or lan file is kept unless --replace; a card prepared earlier in the run is not written "
     "again. SIGINT or SIGTERM ends it after the cards in hand, with a summary on standard error; exit status 0 when "
     "every card was prepared."},
    {Option::Count, "count", "N", "With --each-card: end once N cards were prepared."},
    {Option::SkipReader, "skip-reader", "ID",
     "With --each-card: leave the cards put in this reader alone (its readerId in --list --json); may be given more "
     "than once."},
    {Option::Eject, "eject", nullptr,
     "With --each-card: let each card go once it ended (unmounted, its reader powered off where it can be), so that "
     "its line may say it may be removed."},
    {Option::Values, "values", "FILE.csv",
     "With --each-card: give each card prepared the next row of this CSV file in UTF-8, whose header names fields by "
     "the keys of the remembered form (accessPointName, username, password, pinCode, simCardPhoneNumber, "
     "ownerPhoneNumber, userKey) and site; a column replaces its field for its row, the form gives the rest. Every "
     "row is checked before the first card; the run ends when every row was used."},
    {Option::Qr, "qr", nullptr,
     "After the identifier's line (gsm, lan), print it as a QR code in half-block characters, for a phone's camera; "
     "not with --json."},
    {Option::Labels, "labels", "FILE.pdf",
     "Write a PDF with a label for each gsm or lan card prepared (an A4 sheet of 3 x 8 labels of 70 x 37 mm): its QR "
     "code, its identifier, the mode, the preset's name and the date."},
};

constexpr bool entriesInOrder()
{
    for (std::size_t i = 0; i < std::size(optionEntries); ++i) {
        if (std::size_t(optionEntries[i].option) != i)
            return false;
    }
    return true;
}
static_assert(entriesInOrder(), "an option's entry stands at its place in Option");

QCommandLineOption commandLineOption(const char* name, const char* valueName, const QString& description)
{
    return valueName ? QCommandLineOption(QLatin1String(name), description, QLatin1String(valueName))
                     : QCommandLineOption(QLatin1String(name), description);
}

// The arguments as the parser read them, asked by option.
class CommandLine
{
public:
    CommandLine()
    {
        parser.setApplicationDescription(
            QStringLiteral(
                "Writes the parameter file of an Orva communication module onto an SD card, as \"Generate\" in ORVA "
                "Configurator does: checks the form, labels the card \"%1\", writes %2 (%3 for sms) durably, prints "
                "the installation identifier on standard output, adds the card to the record of prepared cards and, "
                "for gsm and lan, saves the identifier file and opens it and the customer portal.\n\nExit status: 0 "
                "when the file was written, 1 when the form or the card was refused or the file could not be "
                "written, 2 on bad usage.")
                .arg(QLatin1String(cardVolumeLabel), parameterFileOnCard(parameterFileName(ModeCode::Default)),
                     parameterFileOnCard(parameterFileName(ModeCode::Sms))));
        for (const OptionEntry& entry : optionEntries) {
            const QString description = entry.description ? QLatin1String(entry.description)
                                                          : QStringLiteral("The module's mode: %1.").arg(modeList());
            options.push_back(commandLineOption(entry.name, entry.valueName, description));
            // The fields' options follow the mode's.
            if (entry.option == Option::Mode)
                parser.addOption(options.back());
        }
        for (const FieldOption& field : fieldOptions) {
            fields.push_back(commandLineOption(field.name, field.valueName, QLatin1String(field.description)));
            parser.addOption(fields.back());
        }
        for (auto option = options.begin() + 1; option != options.end(); ++option)
            parser.addOption(*option);
        parser.addPositionalArgument(QStringLiteral("CARD_ROOT"),
                                     QStringLiteral("The root folder of the mounted card."));
    }

    bool isSet(Option option) const { return parser.isSet(options[std::size_t(option)]); }
    QString value(Option option) const { return parser.value(options[std::size_t(option)]); }
    QStringList values(Option option) const { return parser.values(options[std::size_t(option)]); }
    // The field's text when its option was given.
    std::optional<QString> field(std::size_t index) const
    {
        return parser.isSet(fields[index]) ? std::optional<QString>(parser.value(fields[index])) : std::nullopt;
    }

    QCommandLineParser parser;
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();

private:
    std::vector<QCommandLineOption> options; // by Option
    std::vector<QCommandLineOption> fields;  // as fieldOptions
};

struct FormSources
{
    const std::function<FormValues()>& rememberedForm;
    const std::function<std::optional<FormValues>(const QString& name)>& presetForm;
};

// The form that command writes: the remembered form's or the preset's, the mode's and the fields' options over it.
// The command comes back as PresetRefused or BadUsage when they cannot make one.
WriterCommand withForm(const CommandLine& line, WriterCommand command, const FormSources& sources)
{
    const bool fromSettings = line.isSet(Option::FromSettings);
    const bool fromPreset = line.isSet(Option::Preset);
    if (fromSettings && fromPreset)
        return badUsage(QStringLiteral("--from-settings and --preset cannot go together"));
    if (fromSettings) {
        command.values = sources.rememberedForm();
    } else if (fromPreset) {
        command.preset = line.value(Option::Preset);
        const std::optional<FormValues> preset = sources.presetForm ? sources.presetForm(command.preset) : std::nullopt;
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
    if (line.isSet(Option::Mode)) {
        const QString name = line.value(Option::Mode);
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
    for (std::size_t i = 0; i < std::size(fieldOptions); ++i) {
        const std::optional<QString> text = line.field(i);
        if (!text)
            continue;
        const FormField::Id field = fieldOptions[i].field;
        if (!command.values.shows(field))
            return badUsage(
                QStringLiteral("--%1 is not used in mode %2").arg(QLatin1String(fieldOptions[i].name), modeName));
        // A value that the window's field could not hold is refused before anything else is looked at.
        if (isTooLong(field, *text))
            return badUsage(QStringLiteral("--%1 takes at most %2 characters, not %3")
                                .arg(QLatin1String(fieldOptions[i].name))
                                .arg(FormField::describe(field).maxLength)
                                .arg(text->size()));
        command.values.text(field) = *text;
        command.remembered &= FormField::Set(~FormField::bit(field));
    }
    if (line.isSet(Option::Reset)) {
        if (!command.values.showsReset())
            return badUsage(QStringLiteral("--reset is not used in mode %1").arg(modeName));
        command.values.resetConfig = true;
    }
    return command;
}

WriterCommand parseList(const CommandLine& line)
{
    // Either lists or writes: a script that asks for both must not be taken for one of them.
    if (line.isSet(Option::EachCard))
        return badUsage(QStringLiteral("--list does not go with --each-card"));
    if (!line.parser.positionalArguments().isEmpty())
        return badUsage(QStringLiteral("--list takes no card root"));
    WriterCommand command;
    command.action = WriterCommand::Action::List;
    command.json = line.isSet(Option::Json);
    return command;
}

// The identifier's pictures: its QR code on standard output, the labels' PDF.
WriterCommand withPictures(const CommandLine& line, WriterCommand command)
{
    command.qr = line.isSet(Option::Qr);
    if (line.isSet(Option::Labels)) {
        if (line.value(Option::Labels).isEmpty())
            return badUsage(QStringLiteral("--labels takes the PDF file to write"));
        command.labels = QDir::cleanPath(QFileInfo(line.value(Option::Labels)).absoluteFilePath());
    }
    return command;
}

WriterCommand parseEachCard(const CommandLine& line, const FormSources& sources)
{
    WriterCommand command;
    command.action = WriterCommand::Action::EachCard;
    bool number = true;
    command.count = line.isSet(Option::Count) ? line.value(Option::Count).toInt(&number) : 0;
    if (!number || command.count < 0)
        return badUsage(QStringLiteral("--count takes a number of cards, not \"%1\"").arg(line.value(Option::Count)));
    command.json = line.isSet(Option::Json);
    command.skippedReaders = line.values(Option::SkipReader);
    command.eject = line.isSet(Option::Eject);
    command.valuesFile = line.value(Option::Values);
    if (line.isSet(Option::Values) && command.valuesFile.isEmpty())
        return badUsage(QStringLiteral("--values takes a file's name"));
    if (line.isSet(Option::AnyFolder))
        return badUsage(QStringLiteral("--any-folder does not go with --each-card"));
    command = withForm(line, command, sources);
    if (command.action != WriterCommand::Action::EachCard)
        return command;
    if (!line.parser.positionalArguments().isEmpty())
        return badUsage(QStringLiteral("--each-card takes no card root"));
    command.noOpen = line.isSet(Option::NoOpen);
    command.replace = line.isSet(Option::Replace);
    return withPictures(line, command);
}

WriterCommand parseWrite(const CommandLine& line, const FormSources& sources)
{
    if (line.isSet(Option::Json))
        return badUsage(QStringLiteral("--json goes with --list or --each-card"));
    if (line.isSet(Option::Count))
        return badUsage(QStringLiteral("--count goes with --each-card"));
    WriterCommand command;
    command.action = WriterCommand::Action::Write;
    command = withForm(line, command, sources);
    if (command.action != WriterCommand::Action::Write)
        return command;
    const QStringList positional = line.parser.positionalArguments();
    if (positional.size() != 1)
        return badUsage(positional.isEmpty() ? QStringLiteral("the card's root folder is missing")
                                             : QStringLiteral("one card root only, not %1").arg(positional.size()));
    // An empty name is no folder: taken as one, it would put the folder "02" at the root of the computer's own disk.
    if (positional.first().isEmpty())
        return badUsage(QStringLiteral("the card's root folder is empty"));
    command.cardRoot = QDir::cleanPath(QFileInfo(positional.first()).absoluteFilePath());
    command.anyFolder = line.isSet(Option::AnyFolder);
    command.noOpen = line.isSet(Option::NoOpen);
    command.replace = line.isSet(Option::Replace);
    return withPictures(line, command);
}
} // namespace

WriterCommand parseWriterCommand(const QStringList& arguments, const std::function<FormValues()>& rememberedForm,
                                 const std::function<std::optional<FormValues>(const QString& name)>& presetForm)
{
    CommandLine line;
    if (!line.parser.parse(arguments))
        return badUsage(line.parser.errorText());
    // --help-all would add Qt's own options, of which a program without a window has none.
    if (line.parser.isSet(line.helpOption) || line.parser.isSet(QStringLiteral("help-all"))) {
        WriterCommand command;
        command.action = WriterCommand::Action::Help;
        command.text = line.parser.helpText();
        return command;
    }
    if (line.parser.isSet(line.versionOption)) {
        WriterCommand command;
        command.action = WriterCommand::Action::Version;
        return command;
    }
    // The options of one action only are refused with another.
    if (line.isSet(Option::SkipReader) && !line.isSet(Option::EachCard))
        return badUsage(QStringLiteral("--skip-reader goes with --each-card"));
    if (line.isSet(Option::Eject) && !line.isSet(Option::EachCard))
        return badUsage(QStringLiteral("--eject goes with --each-card"));
    if (line.isSet(Option::Values) && !line.isSet(Option::EachCard))
        return badUsage(QStringLiteral("--values goes with --each-card"));
    if ((line.isSet(Option::Qr) || line.isSet(Option::Labels)) && line.isSet(Option::List))
        return badUsage(QStringLiteral("--qr and --labels go with a write, not with --list"));
    const FormSources sources{rememberedForm, presetForm};
    if (line.isSet(Option::List))
        return parseList(line);
    if (line.isSet(Option::EachCard))
        return parseEachCard(line, sources);
    return parseWrite(line, sources);
}
