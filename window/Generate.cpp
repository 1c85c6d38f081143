// "Generate": checks the form and the card, has the card writer put the parameter file into the folder "02", tells
// the user and ends the program.
#include "ui_Configurator.h"
#include "window/Configurator.h"

#include "generation/CardWriter.h"
#include "generation/FormCheck.h"
#include "generation/Identifier.h"
#include "generation/IdentifierFile.h"
#include "generation/ModeCodes.h"
#include "window/TextEditor.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace {
const QString portalAddress = QStringLiteral("https://portal.orva.example.net");
} // namespace

void Configurator::buttonSaveClicked()
{
    const FormValues values = formValues();
    if (const std::optional<FormProblem> problem = checkForm(values)) {
        showFormProblem(*problem);
        return;
    }
    // A remembered position beyond today's cards leaves none chosen: never guess one for the user.
    const int index = values.driveIndex;
    if (driveList.isEmpty() || index < 0 || index >= driveList.size()) {
        warn(tr("SD Card not available"), tr("No SD card is available.\nPlease insert one and select it in the list."));
        return;
    }

    const CardOutcome outcome = writeParameterFileToCard(values, listedVolumes.at(index), *drivePlatform);
    if (outcome.rootPath != driveList.at(index))
        describeDriveAnew(index, outcome.rootPath);
    if (outcome.result != CardOutcome::Result::Written) {
        reportCardOutcome(outcome, values.modeCode);
        return;
    }

    if (ModeCode::handsOffIdentifier(values.modeCode)) {
        identifierHandOff(outcome);
    } else {
        QMessageBox::information(this, tr("File generated"), tr("The file was generated on the SD Card."),
                                 QMessageBox::Ok, QMessageBox::NoButton);
    }
    saveSettings();
    exitFunction(0);
}

void Configurator::showFormProblem(const FormProblem& problem)
{
    QLineEdit* field = fieldEdits[problem.field];
    QString title;
    QString message;
    switch (problem.kind) {
    case FormProblem::Kind::PinCode:
        title = tr("PIN Code error");
        message = tr("The PIN code seems to be erroneous.\nPlease enter a code with 4-6 digits!");
        break;
    case FormProblem::Kind::UserKey:
        title = tr("User key error");
        message = tr("The user key seems to be erroneous.\nPlease enter a code with 6 characters or generate it with "
                     "the button at the right of field!");
        break;
    case FormProblem::Kind::PhoneNumber:
        title = tr("Phone number error");
        message = tr("The phone number in the field \"%1\" is not complete.\nPlease enter it as in the example "
                     "+41 79 123 45 67, or leave the field empty.")
                      .arg(tr(FormField::describe(problem.field).label));
        break;
    case FormProblem::Kind::UnreadableCharacter:
        title = tr("Unsupported character");
        message = tr("The field \"%1\" contains the character \"%2\", which the Orva module cannot read.\n"
                     "Please remove it.")
                      .arg(tr(FormField::describe(problem.field).label), problem.character);
        break;
    }
    // A value restored into a field that the reset option greys out can only be mended once the option is off.
    if (!field->isEnabled())
        message += tr("\nUncheck \"Reset Configuration\" to edit this field.");
    warn(title, message);
    if (field->isEnabled() && field->isVisible())
        field->setFocus();
}

void Configurator::reportCardOutcome(const CardOutcome& outcome, quint8 mode)
{
    switch (outcome.result) {
    case CardOutcome::Result::Written:
        break;
    case CardOutcome::Result::CardNotFound:
        warn(tr("SD Card Not Found"),
             tr("The SD card was not found in the selected drive.\nPlease select the correct drive."));
        break;
    case CardOutcome::Result::ReadOnly:
        warn(tr("SD Card is Read Only"), tr("The SD card is read only.\nPlease unlock the SD card."));
        break;
    case CardOutcome::Result::NotWritten:
        warn(tr("File not written"),
             tr("The file %1 could not be written on the SD card.\n%2").arg(outcome.fileName, outcome.reason));
        break;
    case CardOutcome::Result::Unconfirmed: {
        QString message = tr("The file %1 replaced the earlier one on the SD card, but it could not be confirmed "
                             "there: it may be incomplete.\n%2\nPlease generate it again.")
                              .arg(outcome.fileName, outcome.reason);
        if (ModeCode::handsOffIdentifier(mode)) {
            // The card may carry this identifier now: the user must have it, as after a success.
            const QString digits = identifierDigits(outcome.identifier).toUpper();
            const IdentifierFile::Saved saved = IdentifierFile::save(outcome.identifier, outcome.folder);
            message +=
                saved.place == IdentifierFile::Place::Nowhere
                    ? tr("\nThe identifier (GUID) the card may now carry is %1: please write it down.").arg(digits)
                    : tr("\nThe identifier (GUID) the card may now carry is %1; it was saved in %2.")
                          .arg(digits, saved.filePath);
        }
        warn(tr("File not written"), message);
        break;
    }
    }
}

void Configurator::identifierHandOff(const CardOutcome& outcome)
{
    const IdentifierFile::Saved saved = IdentifierFile::save(outcome.identifier, outcome.folder);
    QString message = tr("The file was generated on the SD Card and your identifier (GUID) is ");
    switch (saved.place) {
    case IdentifierFile::Place::Desktop:
        message += tr("on the Desktop.");
        break;
    case IdentifierFile::Place::Documents:
        message += tr("in My Documents.");
        break;
    case IdentifierFile::Place::CardFolder:
        message += tr("in the folder 02 on the SD Card.");
        break;
    case IdentifierFile::Place::Nowhere:
        // No file holds the identifier: the box is the user's only chance to note it.
        message += identifierDigits(outcome.identifier).toUpper() +
                   tr(".\nIt could not be saved in a file: please write it down now.");
        break;
    }
    QMessageBox::information(this, tr("File generated"), message, QMessageBox::Ok, QMessageBox::NoButton);

    if (saved.place != IdentifierFile::Place::Nowhere)
        openInTextEditor(saved.filePath);
    QDesktopServices::openUrl(QUrl(portalAddress, QUrl::TolerantMode));
}
