// vskwrite [options] CARD_ROOT: writes the parameter file onto a card from a script, as "Generate" does in the window:
// the same checks in the same order, the same messages (on standard error), the same card writer, then the identifier
// on standard output, in the record of prepared cards and, for gsm and lan, in the identifier file.
// A card that stops answering is given up after the window's time limit, as in the window.
// Exit status: 0 when the file was written, 1 when the form or the card was refused, another writer held the card, the
// card did not respond, the file could not be written or the standard output could not be written, 2 on bad usage.
#include "base/DetachedTask.h"
#include "base/FileSystem.h"
#include "base/ShownText.h"
#include "desktop/ApplicationIdentity.h"
#include "desktop/DesktopOpen.h"
#include "desktop/Translations.h"
#include "drives/DrivePlatform.h"
#include "form/ModeCodes.h"
#include "form/PhoneNumber.h"
#include "generation/GenerateProcedure.h"
#include "generation/IdentifierCode.h"
#include "generation/ValuesPerCard.h"
#include "labels/LabelSheet.h"
#include "orva_version.h"
#include "parameterfile/Identifier.h"
#include "settings/FormStore.h"
#include "settings/Presets.h"
#include "settings/Secrets.h"
#include "tools/EachCard.h"
#include "tools/StandardOutput.h"
#include "tools/WriterCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QSettings>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {
enum Status
{
    Written = 0,
    Refused = 1,
    BadUsage = 2
};

void printLine(FILE* stream, const QString& line)
{
    std::fputs(qPrintable(line), stream);
    std::fputc('\n', stream);
}

// A message on standard error, one line: no control character from a card or the system reaches the terminal raw.
void tellLine(const QString& text)
{
    printLine(stderr, QStringLiteral("vskwrite: ") + ShownText::escaped(text));
}

// The window's message as one line: its title, then its text.
void tell(const GenerateTexts::Message& message)
{
    QString text = message.text;
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    tellLine(QStringLiteral("%1: %2").arg(message.title, text));
}

// A folder standing in for a card: it is the only volume, it is never labelled and never goes away.
class FolderAsCard : public DrivePlatform
{
public:
    explicit FolderAsCard(const QString& folder) : folder(folder) {}
    QVector<MountedVolume> mountedVolumes() const override { return {MountedVolume{folder, {}, false, true, 0}}; }

private:
    QString folder;
};

// --any-folder is meant for a card image's folder: the root of the computer's own disk is never taken for a card.
// Looking at the folder may hang as a card can: it is bounded as the write is.
std::optional<Status> refusedFolder(const QString& folder)
{
    DetachedTask<bool> look([folder](const DetachedWork::Liveness&) { return FileSystem::isSystemOrHomeRoot(folder); });
    const std::optional<bool> systemRoot = look.waitWhile(TimeLimits::cardSilence);
    if (!systemRoot) {
        tell(GenerateTexts::notResponding());
        return Refused;
    }
    if (*systemRoot) {
        tellLine(QStringLiteral("%1 is the root of the file system that holds the system or the home folder; "
                                "--any-folder writes into a folder standing in for a card, such as a mounted card "
                                "image")
                     .arg(folder));
        return Refused;
    }
    return std::nullopt;
}

// The form in the command line's words, before any card is looked at (the procedure's own check of it then passes);
// its phone numbers in the accepted form, as the procedure writes them. Nothing when it is refused.
std::optional<FormValues> checkedForm(const WriterCommand& command)
{
    const FormValues values = PhoneNumber::inAcceptedForm(command.values);
    if (const std::optional<FormProblem> problem = checkForm(values)) {
        tell(writerFormProblem(*problem, command.remembered, command.preset));
        return std::nullopt;
    }
    return values;
}

// The labels of the run's cards into the PDF, said on standard error; false when the file could not be written.
bool writeLabelsFor(const QString& path, const QVector<RunCard>& cards)
{
    const QVector<Label> labels = labelsOf(cards);
    if (labels.isEmpty()) {
        tellLine(QStringLiteral("no gsm or lan card was prepared: no labels written"));
        return true;
    }
    if (const std::optional<QString> failure = writeLabels(path, labels, LabelLayout::Sheet)) {
        tellLine(QStringLiteral("the labels could not be written into %1: %2")
                     .arg(QDir::toNativeSeparators(path), *failure));
        return false;
    }
    tellLine(QStringLiteral("%1 label(s) written into %2").arg(labels.size()).arg(QDir::toNativeSeparators(path)));
    return true;
}

Status eachCard(const WriterCommand& command)
{
    // With values per card, each row over the form is what a card gets: the rows are checked, before any card.
    std::shared_ptr<ValuesPerCard::List> list;
    std::optional<FormValues> values;
    if (command.valuesFile.isEmpty()) {
        values = checkedForm(command);
        if (!values)
            return Refused;
    } else {
        values = PhoneNumber::inAcceptedForm(command.values);
        const ValuesPerCard::Reading reading = ValuesPerCard::read(command.valuesFile, *values);
        if (reading.refusal) {
            tellLine(ValuesPerCard::refusalText(command.valuesFile, *reading.refusal));
            return Refused;
        }
        list = std::make_shared<ValuesPerCard::List>(reading.list);
    }
    EachCardOptions options{*values, command.count, command.json, command.noOpen, command.replace, {}};
    options.valuesPerCard = list;
    options.preset = command.preset;
    for (const QString& reader : command.skippedReaders)
        options.skippedReaders.insert(reader);
    options.eject = command.eject;
    options.qr = command.qr;
    bool labelsWritten = true;
    if (!command.labels.isEmpty()) {
        // Each card carries the preset already (EachCardOptions::preset).
        options.ended = [&command, &labelsWritten](const QVector<RunCard>& cards) {
            labelsWritten = writeLabelsFor(command.labels, cards);
        };
    }
    const bool allPrepared = prepareEachCard(options, tellLine);
    return allPrepared && labelsWritten ? Written : Refused;
}

Status write(const WriterCommand& command)
{
    const std::optional<FormValues> checked = checkedForm(command);
    if (!checked)
        return Refused;
    const FormValues& values = *checked;
    if (command.anyFolder) {
        if (const std::optional<Status> refused = refusedFolder(command.cardRoot))
            return *refused;
    }

    std::shared_ptr<DrivePlatform> drives =
        command.anyFolder ? std::make_unique<FolderAsCard>(command.cardRoot) : createNativeDrivePlatform();
    const std::optional<MountedVolume> listed = drives->volumeAt(command.cardRoot);
    if (!listed) {
        tellLine(QStringLiteral("%1 is not the root of a mounted removable card (--any-folder writes into a folder "
                                "that is not one)")
                     .arg(command.cardRoot));
        return Refused;
    }

    // A file whose identifier was registered on the portal is replaced only when asked to. No pump: this thread only
    // waits. A card silent for the window's time limit is given up as the window gives it up; the write stops should
    // it answer again, and the program ends without waiting for it.
    GenerateProcedure::FrontEnd frontEnd;
    frontEnd.replaceHandedOff = [&command](const CardContents&) { return command.replace; };
    const GenerateProcedure::Result result = GenerateProcedure::run(values, listed, drives, frontEnd);
    using Ending = GenerateProcedure::Result::Ending;
    switch (result.ending) {
    case Ending::FormRefused: // checked above, in the command line's words
    case Ending::NoCard:
    case Ending::CardInUse:
    case Ending::NotLocked:
    case Ending::NotResponding:
        tell(result.message);
        return Refused;
    case Ending::Kept: {
        GenerateTexts::Message message = result.message;
        message.text += QStringLiteral("\nGive --replace to replace it.");
        tell(message);
        return Refused;
    }
    case Ending::Refused:
    case Ending::Written:
        break;
    }
    if (result.unrecorded)
        tellLine(*result.unrecorded);
    if (!result.standardOutput.isEmpty()) {
        printLine(stdout, result.standardOutput);
        if (command.qr && ModeCode::handsOffIdentifier(values.modeCode))
            printCodeLines(IdentifierCode(result.card.identifier).terminalLines());
    }
    tell(result.message);
    if (!result.written())
        return Refused;
    if (!command.labels.isEmpty()) {
        RunCard card = runCardOf(result, *listed, values);
        card.preset = command.preset;
        if (!writeLabelsFor(command.labels, {card}))
            return Refused;
    }
    if (!command.noOpen) {
        if (result.openIdentifierFile)
            DesktopOpen::textFile(result.identifierFile.filePath);
        if (result.openPortal)
            DesktopOpen::webAddress(GenerateTexts::portalAddress());
    }
    return Written;
}

// Everything printed is checked at the end: a full disk or a closed output would lose the identifier.
bool outputWritten()
{
    const std::optional<QString> failure = standardOutputFailure();
    if (!failure)
        return true;
    printLine(stderr, failure->isEmpty()
                          ? QStringLiteral("vskwrite: the standard output could not be written")
                          : QStringLiteral("vskwrite: the standard output could not be written: %1").arg(*failure));
    return false;
}

// What the card holds for scripts: its file, mode and identifier, and whether the file is damaged.
QJsonObject fileAsJson(const CardContents& file)
{
    return {{QStringLiteral("file"), file.fileName},
            {QStringLiteral("mode"), writerModeName(file.modeCode)},
            {QStringLiteral("identifier"), identifierText(file.identifier)},
            {QStringLiteral("damaged"), file.state == CardContents::State::Damaged},
            {QStringLiteral("holds"), GenerateTexts::cardContents(file)}};
}

// What each of the cards holds, nothing for a card that does not answer within the silence limit. Every card is read
// at once, on a thread of its own: however many cards are silent, the list waits one limit for them.
std::vector<std::optional<QVector<CardContents>>> readCards(const QVector<MountedVolume>& cards)
{
    std::vector<std::unique_ptr<DetachedTask<QVector<CardContents>>>> reads;
    for (const MountedVolume& card : cards) {
        reads.push_back(std::make_unique<DetachedTask<QVector<CardContents>>>(
            [root = card.rootPath](const DetachedWork::Liveness&) { return readCardFiles(root); }));
    }
    // A read that was silent while an earlier one was waited for has used up its limit then, and is given up at once.
    std::vector<std::optional<QVector<CardContents>>> held;
    held.reserve(reads.size());
    for (const std::unique_ptr<DetachedTask<QVector<CardContents>>>& read : reads)
        held.push_back(read->waitWhile(TimeLimits::cardSilence));
    return held;
}

// The removable cards as the window lists them, each with what it holds; a card that does not answer within the
// silence limit is said not to respond. A card's texts are shown escaped (ShownText), so that each card stays one line
// whatever its label holds.
void listCards(bool json)
{
    const std::unique_ptr<DrivePlatform> drives = createNativeDrivePlatform();
    QVector<MountedVolume> volumes = drives->mountedVolumes();
    volumes.erase(
        std::remove_if(volumes.begin(), volumes.end(), [](const MountedVolume& volume) { return !volume.removable; }),
        volumes.end());
    const std::vector<std::optional<QVector<CardContents>>> contents = readCards(volumes);
    for (int i = 0; i < volumes.size(); ++i) {
        const MountedVolume& volume = volumes.at(i);
        const std::optional<QVector<CardContents>>& held = contents.at(std::size_t(i));
        const QString holds = held ? GenerateTexts::cardFiles(*held) : GenerateTexts::cardSilent();
        if (!json) {
            printLine(stdout,
                      QStringList{ShownText::escaped(volume.rootPath), ShownText::escaped(volume.name),
                                  QString::number(volume.capacity), ShownText::escaped(volume.reader),
                                  volume.readOnly ? QStringLiteral("read-only") : QStringLiteral("writable"), holds}
                          .join(QLatin1Char('\t')));
            continue;
        }
        QJsonObject card{{QStringLiteral("root"), volume.rootPath},
                         {QStringLiteral("name"), volume.name},
                         {QStringLiteral("capacity"), double(volume.capacity)},
                         {QStringLiteral("reader"), volume.reader},
                         {QStringLiteral("serial"), volume.serial},
                         {QStringLiteral("device"), volume.deviceName},
                         {QStringLiteral("imageFile"), volume.backingFile},
                         {QStringLiteral("readerId"), volume.readerId},
                         {QStringLiteral("fileSystem"), volume.fileSystem},
                         {QStringLiteral("readOnly"), volume.readOnly},
                         {QStringLiteral("responds"), held.has_value()},
                         {QStringLiteral("holds"), holds}};
        // Each parameter file the card holds; the one file also as the card's own keys, as before there were two.
        QJsonArray files;
        const QVector<CardContents> heldFiles = held.value_or(QVector<CardContents>());
        for (const CardContents& file : heldFiles) {
            if (!file.fileName.isEmpty() && file.state != CardContents::State::Unreadable)
                files.append(fileAsJson(file));
        }
        if (files.size() == 1) {
            const QJsonObject one = files.first().toObject();
            for (auto key = one.begin(); key != one.end(); ++key) {
                if (key.key() != QLatin1String("holds"))
                    card.insert(key.key(), key.value());
            }
        }
        card.insert(QStringLiteral("files"), files);
        printLine(stdout, QString::fromUtf8(ShownText::jsonLine(card)));
    }
}

// --labels among the arguments, before they are parsed (the application reads them).
bool labelsAsked(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--")
            return false;
        if (argument == "--labels" || argument.startsWith("--labels="))
            return true;
    }
    return false;
}
} // namespace

int main(int argc, char* argv[])
{
    keepClosedStandardStreamsClosed();
    // The labels are drawn with Qt Gui, which wants a platform: one that needs no display, with the system's fonts
    // (on Windows too, where the offscreen platform has none). Without --labels the tool loads no platform at all.
    std::unique_ptr<QCoreApplication> application;
    if (labelsAsked(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "minimal:enable_fonts");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    // The window's identity: its remembered form, and the place of the record of prepared cards.
    ApplicationIdentity::setNames();
    // The window's messages in the user's language, as the window shows them.
    Translations::install();

    std::optional<QString> unusableStore;
    std::optional<QString> unreadableValues;
    std::optional<PresetProblem> presetProblem;
    // The secrets of the remembered form or of the preset that the keychain did not give, and why.
    FormField::Set secretsNotGot = 0;
    QString notGotReason;
    const WriterCommand command = parseWriterCommand(
        QCoreApplication::arguments(),
        [&] {
            unusableStore = FormStore::unusableStore();
            if (unusableStore)
                return FormValues();
            const QSettings settings;
            unreadableValues = FormStore::unreadableValues(settings);
            // A mode the module does not know would be written as the first mode, without the fields of the stored one.
            if (!unreadableValues)
                unreadableValues = FormStore::unknownMode(settings);
            FormValues values = FormStore::load(settings);
            const Secrets::Got got = Secrets::read(Secrets::rememberedForm, Secrets::marked(settings));
            for (const FormField::Description& field : FormField::fields) {
                if (got.got & FormField::bit(field.id))
                    values.text(field.id) = got.values.text(field.id);
            }
            secretsNotGot = got.notGot;
            notGotReason = got.reason;
            return values;
        },
        [&](const QString& name) -> std::optional<FormValues> {
            unusableStore = FormStore::unusableStore();
            if (unusableStore)
                return std::nullopt;
            QSettings settings;
            const Presets::Found found = Presets::find(settings, name);
            presetProblem = found.problem;
            secretsNotGot = found.notGot;
            notGotReason = found.notGotReason;
            if (!found.preset)
                return std::nullopt;
            return found.preset->values;
        });
    int status = Written;
    switch (command.action) {
    case WriterCommand::Action::Help:
        std::fputs(qPrintable(command.text), stdout);
        break;
    case WriterCommand::Action::Version:
        std::fputs("vskwrite " ORVA_VERSION "\n", stdout);
        break;
    case WriterCommand::Action::BadUsage:
        tellLine(command.text);
        std::fputs("Try 'vskwrite --help' for more information.\n", stderr);
        return BadUsage;
    case WriterCommand::Action::List:
        listCards(command.json);
        break;
    case WriterCommand::Action::PresetRefused:
        if (unusableStore) {
            tellLine(QStringLiteral("the presets cannot be read: ") + *unusableStore);
            status = Refused;
            break;
        }
        tellLine(Presets::problemText(*presetProblem).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        // A name that no preset has is a mistake on the command line.
        if (presetProblem->kind == PresetProblem::Kind::Unknown) {
            std::fputs("Try 'vskwrite --help' for more information.\n", stderr);
            return BadUsage;
        }
        status = Refused;
        break;
    case WriterCommand::Action::Write:
    case WriterCommand::Action::EachCard:
        // As in the window: the form starts from the defaults, and nothing at the store's place is touched.
        if (unusableStore)
            tellLine(QStringLiteral("the remembered form cannot be read, the defaults are used: ") + *unusableStore);
        // A value the store holds but Qt cannot read would be written as an empty one.
        if (unreadableValues) {
            tellLine(QStringLiteral("the remembered form cannot be used: ") + *unreadableValues);
            status = Refused;
            break;
        }
        // A secret that the keychain did not give would be written as an empty one.
        // The secrets that the card would take from the remembered form or the preset.
        if (const std::optional<FormField::Id> notGot =
                command.values.firstShown(FormField::Set(secretsNotGot & command.remembered))) {
            tellLine(QStringLiteral("the %1 cannot be got from the keychain (%2); give it on the command line")
                         .arg(QLatin1String(FormField::describe(*notGot).recordName), notGotReason));
            status = Refused;
            break;
        }
        status = command.action == WriterCommand::Action::EachCard ? eachCard(command) : write(command);
        break;
    }
    if (!outputWritten())
        status = Refused;
    // A card or a bus that stopped answering may still hold a thread: the program ends without waiting for it.
    if (DetachedWork::outstanding() > 0)
        DetachedWork::endProcess(status);
    return status;
}
