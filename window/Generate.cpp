// "Generate" in the window: the generate procedure checks the form and the card and writes the file, the window asks
// before a handed-off identifier is replaced and keeps painting while the card is read and written; then it shows the
// result, lets the card go, and ends the program or waits for another card.
#include "ui_Configurator.h"
#include "window/Configurator.h"

#include "base/DetachedTask.h"
#include "base/ThreadInbox.h"
#include "desktop/DesktopOpen.h"
#include "form/FormTexts.h"
#include "generation/CardRelease.h"
#include "generation/GenerateProcedure.h"
#include "window/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QScopeGuard>

#include <cstdio>

void Configurator::buttonSaveClicked()
{
    putPhoneNumbersInAcceptedForm();
    const FormValues values = formValues();
    // A remembered position beyond today's cards leaves none chosen: never guess one for the user.
    const int index = values.driveIndex;
    std::optional<MountedVolume> listed;
    if (!driveList.isEmpty() && index >= 0 && index < driveList.size())
        listed = listedVolumes.at(index);

    GenerateProcedure::FrontEnd frontEnd;
    frontEnd.replaceHandedOff = [this](const CardContents& held) { return replacementAccepted(held); };
    frontEnd.whileWaiting = [this](const std::function<void(const DetachedWork::Pump&)>& wait) { waitForCard(wait); };
    frontEnd.letsCardGo = values.ejectCardWhenDone;
    GenerateProcedure::Result result = GenerateProcedure::run(values, listed, drivePlatform, frontEnd);
    using Ending = GenerateProcedure::Result::Ending;
    switch (result.ending) {
    case Ending::FormRefused:
        showFormProblem(*result.formProblem);
        return;
    case Ending::NoCard:
    case Ending::CardInUse:
    case Ending::NotLocked:
    case Ending::NotResponding:
        warn(result.message);
        return;
    case Ending::Kept:
        return;
    case Ending::Refused:
    case Ending::Written:
        break;
    }
    const CardOutcome& outcome = result.card;
    if (result.unrecorded)
        std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(*result.unrecorded));
    // The list may have been rebuilt while the card was written: the card keeps its entry, found by its root path.
    const int entry = driveList.indexOf(listed->rootPath);
    if (entry >= 0 && outcome.rootPath != listed->rootPath)
        describeDriveAnew(entry, outcome.rootPath);
    RunCard ranCard = runCardOf(result, *listed, values);
    if (!result.written()) {
        addToRun(ranCard);
        warn(result.message);
        return;
    }
    std::optional<EjectOutcome> ejected;
    if (values.ejectCardWhenDone) {
        ejected = letCardGo(outcome.rootPath);
        ranCard.letGo = ejected->result == EjectOutcome::Result::Ejected;
        ranCard.reason = ejected->reason;
    }
    // The editor and the portal open for the run's first card that hands its identifier off; a card whose identifier
    // goes into the run's file offers the portal in its box instead.
    const bool laterHandOff = run.handOffOf(ranCard) == CardRun::HandOff::RunFile;
    addToRun(ranCard);
    if (laterHandOff)
        result.openIdentifierFile = result.openPortal = false;

    const QString letGo = ejected ? GenerateTexts::cardLetGo(*ejected) : QString();
    const bool another = tellGenerated(result.message, letGo, laterHandOff);
    if (result.openIdentifierFile)
        DesktopOpen::textFile(result.identifierFile.filePath);
    if (result.openPortal)
        DesktopOpen::webAddress(GenerateTexts::portalAddress());
    saveSettings();
    if (another) {
        waitForAnotherCard(outcome.rootPath);
        return;
    }
    endRun();
    exitFunction(0);
}

EjectOutcome Configurator::letCardGo(const QString& rootPath)
{
    // On a thread of its own, as every wait for the card and the disk service: the window keeps painting. The platform
    // bounds the eject itself (the bus's connection, then the service's deadline).
    return whileBusy<EjectOutcome>([drives = drivePlatform, rootPath] { return releaseCard(*drives, rootPath); },
                                   TimeLimits::busConnect + TimeLimits::eject + TimeLimits::diskServiceMargin)
        .value_or(EjectOutcome());
}

bool Configurator::tellGenerated(const GenerateTexts::Message& generated, const QString& letGo, bool offerPortal)
{
    // "OK" ends the program, as always; the second answer keeps the window for the next card.
    QMessageBox box(QMessageBox::Information, generated.title, generated.text + letGo, QMessageBox::Ok, this);
    box.setDefaultButton(QMessageBox::Ok);
    // Escape and the close button answer as "OK" does; Qt picks no such button among two that both accept.
    box.setEscapeButton(QMessageBox::Ok);
    // The identifier in the text may be selected and copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    const QAbstractButton* another = box.addButton(GenerateTexts::prepareAnotherCard(), QMessageBox::ActionRole);
    const QAbstractButton* portal =
        offerPortal ? box.addButton(GenerateTexts::openPortal(), QMessageBox::ActionRole) : nullptr;
    const QAbstractButton* answer = MessageBox::exec(box);
    // The portal opens, and the box stays for the answer that ends it.
    while (portal && answer == portal) {
        DesktopOpen::webAddress(GenerateTexts::portalAddress());
        answer = MessageBox::exec(box);
    }
    return answer == another;
}

void Configurator::waitForAnotherCard(const QString& preparedRoot)
{
    // The form stays as it is. The card just prepared is never chosen again by itself: another card already in is, or
    // else the next one that arrives.
    refreshDriveList();
    int choice = -1;
    for (int i = 0; choice < 0 && i < driveList.size(); ++i) {
        if (driveList.at(i) != preparedRoot)
            choice = i;
    }
    ui->sdCardPath->setCurrentIndex(choice);
}

bool Configurator::replacementAccepted(const CardContents& held)
{
    const GenerateTexts::Message asked = GenerateTexts::replaceHandedOffIdentifier(held);
    QMessageBox box(QMessageBox::Question, asked.title, asked.text, QMessageBox::Cancel, this);
    const QAbstractButton* replace = box.addButton(GenerateTexts::replaceAnswer(), QMessageBox::DestructiveRole);
    box.setDefaultButton(QMessageBox::Cancel);
    return MessageBox::exec(box) == replace;
}

void Configurator::waitForCard(const std::function<void(const DetachedWork::Pump& keepPainting)>& wait)
{
    // The card is read or written on a thread of its own: the window keeps painting and shows that it is busy, and
    // neither a second "Generate" nor closing the window can start meanwhile. Every way out gives the window back.
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
    // Between its looks at the card the window runs its event loop, so that it keeps painting; the card's task wakes
    // it as it ends. Should the application be told to quit meanwhile, the loop returns at once and the wait goes on
    // without it.
    EventLoopPump pump;
    const DetachedWork::Pump keepPainting(pump.runner(), pump.waker());
    wait(keepPainting);
}

void Configurator::showFormProblem(const FormProblem& problem)
{
    QLineEdit* field = fieldEdits[problem.field];
    const FormTexts::Message shown = FormTexts::problem(problem);
    const QString& title = shown.title;
    QString message = shown.text;
    // A value restored into a field that the reset option greys out can only be mended once the option is off.
    if (!field->isEnabled())
        message += tr("\nUncheck \"Reset Configuration\" to edit this field.");
    warn(title, message);
    // Not one problem per press: every field that would be refused is marked now.
    markEveryField();
    if (field->isEnabled() && field->isVisible())
        field->setFocus();
}
