// vskwrite [options] CARD_ROOT: writes the parameter file onto a card from a script, as "Generate" does in the window:
// the same checks in the same order, the same messages (on standard error), the same card writer, then the identifier
// on standard output, in the record of prepared cards and, for gsm and lan, in the identifier file.
// Exit status: 0 when the file was written, 1 when the form or the card was refused or the file could not be
// written, 2 on bad usage.
#include "app/ApplicationIdentity.h"
#include "app/DesktopOpen.h"
#include "app/Translations.h"
#include "app/WriterCommand.h"
#include "drives/DetachedWork.h"
#include "drives/DrivePlatform.h"
#include "generation/CardRecord.h"
#include "generation/CardWriter.h"
#include "generation/FormCheck.h"
#include "generation/GenerateTexts.h"
#include "generation/Identifier.h"
#include "generation/IdentifierFile.h"
#include "orva_version.h"
#include "settings/FormStore.h"

#include <QCoreApplication>
#include <QSettings>

#include <cstdio>

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

// The window's message as one line: its title, then its text.
void tell(const GenerateTexts::Message& message)
{
    QString text = message.text;
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    printLine(stderr, QStringLiteral("vskwrite: %1: %2").arg(message.title, text));
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

Status write(const WriterCommand& command)
{
    if (const std::optional<FormProblem> problem = checkForm(command.values)) {
        tell(GenerateTexts::formProblem(*problem));
        return Refused;
    }

    std::unique_ptr<DrivePlatform> drives =
        command.anyFolder ? std::make_unique<FolderAsCard>(command.cardRoot) : createNativeDrivePlatform();
    const std::optional<MountedVolume> listed = drives->volumeAt(command.cardRoot);
    if (!listed) {
        printLine(stderr, QStringLiteral("vskwrite: %1 is not the root of a mounted removable card (--any-folder "
                                         "writes into a folder that is not one)")
                              .arg(command.cardRoot));
        return Refused;
    }

    const quint8 mode = command.values.modeCode;
    const CardOutcome outcome = writeParameterFileToCard(command.values, *listed, *drives);
    CardRecord::note(outcome, mode, listed->name);
    if (outcome.cardHoldsNewFile())
        printLine(stdout, identifierDigits(outcome.identifier).toUpper());
    if (outcome.result != CardOutcome::Result::Written) {
        GenerateTexts::Message message = GenerateTexts::cardOutcome(outcome);
        if (outcome.result == CardOutcome::Result::Unconfirmed && ModeCode::handsOffIdentifier(mode)) {
            message.text += GenerateTexts::unconfirmedIdentifier(
                outcome.identifier, IdentifierFile::save(outcome.identifier, outcome.folder));
        }
        tell(message);
        return Refused;
    }

    if (!ModeCode::handsOffIdentifier(mode)) {
        tell(GenerateTexts::generated());
        return Written;
    }
    const IdentifierFile::Saved saved = IdentifierFile::save(outcome.identifier, outcome.folder);
    tell(GenerateTexts::generatedWithIdentifier(outcome.identifier, saved));
    if (!command.noOpen) {
        if (saved.place != IdentifierFile::Place::Nowhere)
            DesktopOpen::textFile(saved.filePath);
        DesktopOpen::webAddress(GenerateTexts::portalAddress());
    }
    return Written;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    // The window's identity: its remembered form, and the place of the record of prepared cards.
    QCoreApplication::setOrganizationName(ApplicationIdentity::organizationName());
    QCoreApplication::setOrganizationDomain(ApplicationIdentity::organizationDomain());
    QCoreApplication::setApplicationName(ApplicationIdentity::applicationName());
    QCoreApplication::setApplicationVersion(QStringLiteral(ORVA_VERSION));
    // The window's messages in the user's language, as the window shows them.
    Translations::install();

    const WriterCommand command = parseWriterCommand(QCoreApplication::arguments(), [] {
        const QSettings settings;
        return FormStore::load(settings);
    });
    switch (command.action) {
    case WriterCommand::Action::Help:
        std::fputs(qPrintable(command.text), stdout);
        return Written;
    case WriterCommand::Action::Version:
        std::fputs("vskwrite " ORVA_VERSION "\n", stdout);
        return Written;
    case WriterCommand::Action::BadUsage:
        printLine(stderr, QStringLiteral("vskwrite: ") + command.text);
        std::fputs("Try 'vskwrite --help' for more information.\n", stderr);
        return BadUsage;
    case WriterCommand::Action::Write:
        break;
    }
    const int status = write(command);
    // A bus that stopped answering may still hold the label's thread: the program ends without waiting for it.
    if (DetachedWork::outstanding() > 0)
        DetachedWork::endProcess(status);
    return status;
}
