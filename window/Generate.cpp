// "Generate": checks the form and the card, has the card writer put the parameter file into the folder "02", tells
// the user and ends the program.
#include "ui_Configurator.h"
#include "window/Configurator.h"

#include "generation/CardRecord.h"
#include "generation/CardWriter.h"
#include "generation/FormCheck.h"
#include "generation/GenerateTexts.h"
#include "generation/IdentifierFile.h"
#include "generation/ModeCodes.h"
#include "window/TextEditor.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

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
        const GenerateTexts::Message noCard = GenerateTexts::noCard();
        warn(noCard.title, noCard.text);
        return;
    }

    const CardOutcome outcome = writeParameterFileToCard(values, listedVolumes.at(index), *drivePlatform);
    CardRecord::note(outcome, values.modeCode, listedVolumes.at(index).name);
    if (outcome.rootPath != driveList.at(index))
        describeDriveAnew(index, outcome.rootPath);
    if (outcome.result != CardOutcome::Result::Written) {
        reportCardOutcome(outcome, values.modeCode);
        return;
    }

    if (ModeCode::handsOffIdentifier(values.modeCode)) {
        identifierHandOff(outcome);
    } else {
        const GenerateTexts::Message generated = GenerateTexts::generated();
        QMessageBox::information(this, generated.title, generated.text, QMessageBox::Ok, QMessageBox::NoButton);
    }
    saveSettings();
    exitFunction(0);
}

void Configurator::showFormProblem(const FormProblem& problem)
{
    QLineEdit* field = fieldEdits[problem.field];
    const GenerateTexts::Message shown = GenerateTexts::formProblem(problem);
    const QString& title = shown.title;
    QString message = shown.text;
    // A value restored into a field that the reset option greys out can only be mended once the option is off.
    if (!field->isEnabled())
        message += tr("\nUncheck \"Reset Configuration\" to edit this field.");
    warn(title, message);
    if (field->isEnabled() && field->isVisible())
        field->setFocus();
}

void Configurator::reportCardOutcome(const CardOutcome& outcome, quint8 mode)
{
    if (outcome.result == CardOutcome::Result::Written)
        return;
    GenerateTexts::Message shown = GenerateTexts::cardOutcome(outcome);
    if (outcome.result == CardOutcome::Result::Unconfirmed && ModeCode::handsOffIdentifier(mode)) {
        // The card may carry this identifier now: the user must have it, as after a success.
        shown.text += GenerateTexts::unconfirmedIdentifier(outcome.identifier,
                                                           IdentifierFile::save(outcome.identifier, outcome.folder));
    }
    warn(shown.title, shown.text);
}

void Configurator::identifierHandOff(const CardOutcome& outcome)
{
    const IdentifierFile::Saved saved = IdentifierFile::save(outcome.identifier, outcome.folder);
    const GenerateTexts::Message generated = GenerateTexts::generatedWithIdentifier(outcome.identifier, saved);
    QMessageBox::information(this, generated.title, generated.text, QMessageBox::Ok, QMessageBox::NoButton);

    if (saved.place != IdentifierFile::Place::Nowhere)
        openInTextEditor(saved.filePath);
    QDesktopServices::openUrl(QUrl(GenerateTexts::portalAddress(), QUrl::TolerantMode));
}
