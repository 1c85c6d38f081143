#include "generation/RunTexts.h"

#include "base/ShownText.h"
#include "generation/GenerateTexts.h"

#include <QCoreApplication>

QString RunTexts::result(const RunCard& card)
{
    switch (card.result) {
    case RunCard::Result::Prepared:
        if (card.mayBeRemoved())
            return QCoreApplication::translate("Configurator", "may be removed");
        return card.reason.isEmpty()
                   ? QCoreApplication::translate("Configurator",
                                                 "written, not ejected: eject it before you take it out")
                   : QCoreApplication::translate("Configurator",
                                                 "written, not ejected (%1): eject it before you take it out")
                         .arg(ShownText::escaped(card.reason));
    case RunCard::Result::Silent:
        return QCoreApplication::translate("Configurator", "does not respond");
    case RunCard::Result::InUse:
        return QCoreApplication::translate("Configurator", "in use by another writer");
    default:
        break;
    }
    // A card left as it was: whether it may be taken out too.
    QString left;
    switch (card.result) {
    case RunCard::Result::Kept:
        left = QCoreApplication::translate("Configurator", "kept: %1").arg(GenerateTexts::cardContents(card.held));
        break;
    case RunCard::Result::AlreadyPrepared:
        left = QCoreApplication::translate("Configurator", "already prepared in this run: %1")
                   .arg(GenerateTexts::cardContents(card.held));
        break;
    case RunCard::Result::OtherFiles:
        left = QCoreApplication::translate("Configurator", "left alone: holds other files");
        break;
    case RunCard::Result::ReadOnly:
        left = QCoreApplication::translate("Configurator", "read only");
        break;
    case RunCard::Result::Full:
        left = QCoreApplication::translate("Configurator", "full");
        break;
    default:
        left = QCoreApplication::translate("Configurator", "not prepared: %1").arg(ShownText::escaped(card.reason));
        break;
    }
    return card.mayBeRemoved()
               ? QCoreApplication::translate("Configurator", "%1; it may be removed").arg(left)
               : QCoreApplication::translate("Configurator", "%1; eject it before you take it out").arg(left);
}

QString RunTexts::resultCode(RunCard::Result result)
{
    switch (result) {
    case RunCard::Result::Prepared:
        return QStringLiteral("prepared");
    case RunCard::Result::Kept:
        return QStringLiteral("kept");
    case RunCard::Result::AlreadyPrepared:
        return QStringLiteral("already-prepared");
    case RunCard::Result::OtherFiles:
        return QStringLiteral("other-files");
    case RunCard::Result::ReadOnly:
        return QStringLiteral("read-only");
    case RunCard::Result::Full:
        return QStringLiteral("full");
    case RunCard::Result::Silent:
        return QStringLiteral("silent");
    case RunCard::Result::InUse:
        return QStringLiteral("in-use");
    case RunCard::Result::Failed:
        break;
    }
    return QStringLiteral("failed");
}

QString RunTexts::notificationTitle(const RunCard& card)
{
    if (card.result == RunCard::Result::Prepared)
        return card.mayBeRemoved() ? QCoreApplication::translate("Configurator", "Card prepared: it may be removed")
                                   : QCoreApplication::translate("Configurator", "Card prepared: eject it first");
    return card.mayBeRemoved() ? QCoreApplication::translate("Configurator", "Card not prepared: it may be removed")
                               : QCoreApplication::translate("Configurator", "Card not prepared");
}

QString RunTexts::notificationText(const RunCard& card)
{
    return card.card + QStringLiteral(" \u2014 ") + result(card);
}
