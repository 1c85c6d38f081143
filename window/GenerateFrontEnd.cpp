#include "window/GenerateFrontEnd.h"

#include "base/ThreadInbox.h"
#include "desktop/DesktopOpen.h"
#include "form/ModeCodes.h"
#include "generation/CardRelease.h"
#include "generation/IdentifierCode.h"
#include "generation/RunCard.h"
#include "labels/IdentifierImage.h"
#include "parameterfile/Identifier.h"
#include "window/LabelExport.h"
#include "window/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QWidget>

#include <utility>

GenerateFrontEnd::GenerateFrontEnd(QWidget* window, QWidget* area, std::shared_ptr<DrivePlatform> drives)
    : window(window), area(area), drives(std::move(drives))
{}

GenerateProcedure::Result GenerateFrontEnd::run(const FormValues& values, const std::optional<MountedVolume>& listed)
{
    GenerateProcedure::FrontEnd frontEnd;
    frontEnd.replaceHandedOff = [this](const CardContents& held) { return replacementAccepted(held); };
    frontEnd.whileWaiting = [this](const std::function<void(const DetachedWork::Pump&)>& wait) { waitForCard(wait); };
    frontEnd.letsCardGo = values.ejectCardWhenDone;
    return GenerateProcedure::run(values, listed, drives, frontEnd);
}

EjectOutcome GenerateFrontEnd::letCardGo(const QString& rootPath)
{
    // On a thread of its own, as every wait for the card and the disk service: the window keeps painting. The platform
    // bounds the eject itself (the bus's connection, then the service's deadline).
    return whileBusy<EjectOutcome>([drives = drives, rootPath] { return releaseCard(*drives, rootPath); },
                                   TimeLimits::busConnect + TimeLimits::eject + TimeLimits::diskServiceMargin)
        .value_or(EjectOutcome());
}

bool GenerateFrontEnd::tellGenerated(const GenerateTexts::Message& generated, const QString& letGo, const RunCard& card,
                                     bool offerPortal)
{
    QMessageBox box(QMessageBox::Information, generated.title, generated.text + letGo, QMessageBox::Ok, window);
    box.setDefaultButton(QMessageBox::Ok);
    // Escape and the close button answer as "OK" does; Qt picks no such button among two that both accept.
    box.setEscapeButton(QMessageBox::Ok);
    // The identifier in the text may be selected and copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    const QAbstractButton* another = box.addButton(GenerateTexts::prepareAnotherCard(), QMessageBox::ActionRole);
    const QAbstractButton* portal =
        offerPortal ? box.addButton(GenerateTexts::openPortal(), QMessageBox::ActionRole) : nullptr;
    // The identifier for a person's eye (grouped) and for a phone's camera; its label for the module.
    const bool handedOff = card.result == RunCard::Result::Prepared && ModeCode::handsOffIdentifier(card.modeCode);
    const QAbstractButton* labels = nullptr;
    if (handedOff) {
        box.setIconPixmap(QPixmap::fromImage(identifierImage(IdentifierCode(card.identifier))));
        // On one line, however narrow the box: its groups are kept together.
        box.setInformativeText(groupedIdentifier(card.identifier).replace(QLatin1Char(' '), QChar::Nbsp));
        labels = box.addButton(QCoreApplication::translate("Configurator", "Labels…"), QMessageBox::ActionRole);
    }
    const QAbstractButton* answer = MessageBox::exec(box);
    // The portal opens, or the label is saved, and the box stays for the answer that ends it.
    while ((portal && answer == portal) || (labels && answer == labels)) {
        if (answer == portal)
            DesktopOpen::webAddress(GenerateTexts::portalAddress());
        else
            LabelExport::save(window, {card});
        answer = MessageBox::exec(box);
    }
    return answer == another;
}

void GenerateFrontEnd::warn(const GenerateTexts::Message& message)
{
    MessageBox::warning(window, message.title, message.text);
}

bool GenerateFrontEnd::ranWhileBusy(const std::function<void()>& work)
{
    return whileBusy<bool>([work] {
               work();
               return true;
           })
        .has_value();
}

bool GenerateFrontEnd::replacementAccepted(const CardContents& held)
{
    const GenerateTexts::Message asked = GenerateTexts::replaceHandedOffIdentifier(held);
    QMessageBox box(QMessageBox::Question, asked.title, asked.text, QMessageBox::Cancel, window);
    const QAbstractButton* replace = box.addButton(GenerateTexts::replaceAnswer(), QMessageBox::DestructiveRole);
    box.setDefaultButton(QMessageBox::Cancel);
    return MessageBox::exec(box) == replace;
}

void GenerateFrontEnd::waitForCard(const std::function<void(const DetachedWork::Pump& keepPainting)>& wait)
{
    // The card is read or written on a thread of its own: the window keeps painting and shows that it is busy, and
    // neither a second "Generate" nor closing the window can start meanwhile. Every way out gives the window back.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QPointer<QWidget> focused = QApplication::focusWidget();
    area->setEnabled(false);
    waiting = true;
    const auto restore = qScopeGuard([this, focused] {
        waiting = false;
        area->setEnabled(true);
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
