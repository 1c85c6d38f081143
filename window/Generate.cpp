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

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPointer>
#include <QScopeGuard>
#include <QUrl>

void Configurator::buttonSaveClicked()
{
    putPhoneNumbersInAcceptedForm();
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

    const MountedVolume listed = listedVolumes.at(index);
    const std::optional<CardOutcome> answered = writeCardWhileBusy(values, listed);
    if (!answered) {
        warn(tr("SD Card does not respond"), tr("The SD card does not respond.\nPlease check it and try again."));
        return;
    }
    const CardOutcome& outcome = *answered;
    CardRecord::note(outcome, values.modeCode, listed.name);
    // The list may have been rebuilt while the card was written: the card keeps its entry, found by its root path.
    const int entry = driveList.indexOf(listed.rootPath);
    if (entry >= 0 && outcome.rootPath != listed.rootPath)
        describeDriveAnew(entry, outcome.rootPath);
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

std::optional<CardOutcome> Configurator::writeCardWhileBusy(const FormValues& values, const MountedVolume& listed)
{
    // The card is written on a thread of its own: the window keeps painting and shows that it is busy, and neither a
    // second "Generate" nor closing the window can start meanwhile. Every way out gives the window back.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QPointer<QWidget> focused = QApplication::focusWidget();
    ui->centralWidget->setEnabled(false);
    writingCard = true;
    const auto restore = qScopeGuard([this, focused] {
        writingCard = false;
        ui->centralWidget->setEnabled(true);
        if (focused)
            focused->setFocus();
        QApplication::restoreOverrideCursor();
    });
    return writeParameterFileWatched(values, listed, drivePlatform);
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
