#include "generation/GenerateProcedure.h"

#include "base/FileSystem.h"
#include "form/ModeCodes.h"
#include "form/PhoneNumber.h"
#include "generation/CardRecord.h"
#include "parameterfile/Identifier.h"

using Result = GenerateProcedure::Result;

namespace {
Result ended(Result::Ending ending, const GenerateTexts::Message& message)
{
    Result result;
    result.ending = ending;
    result.message = message;
    return result;
}

// Runs wait as the front end waits for the card.
void waitForCard(const GenerateProcedure::FrontEnd& frontEnd,
                 const std::function<void(const DetachedWork::Pump& pump)>& wait)
{
    if (frontEnd.whileWaiting)
        frontEnd.whileWaiting(wait);
    else
        wait({});
}
} // namespace

Result GenerateProcedure::run(const FormValues& given, const std::optional<MountedVolume>& card,
                              std::shared_ptr<DrivePlatform> drives, const FrontEnd& frontEnd)
{
    // A phone number typed with other spacing is written in the accepted form its digits make, by every front end.
    const FormValues values = PhoneNumber::inAcceptedForm(given);
    if (const std::optional<FormProblem> problem = checkForm(values)) {
        Result result = ended(Result::Ending::FormRefused, FormTexts::problem(*problem));
        result.formProblem = problem;
        return result;
    }
    if (!card)
        return ended(Result::Ending::NoCard, GenerateTexts::noCard());

    // One writer per card on this machine, from the read before the write until the write has ended: the card is
    // known by its root folder's identity, whatever path names it. Looking at the root may hang as the card does.
    std::optional<std::optional<QString>> identity;
    waitForCard(frontEnd, [&](const DetachedWork::Pump& pump) {
        DetachedTask<std::optional<QString>> look(
            [root = card->rootPath](const DetachedWork::Liveness&) { return FileSystem::folderIdentity(root); });
        identity = look.waitWhile(frontEnd.silenceLimit, pump);
    });
    if (!identity)
        return ended(Result::Ending::NotResponding, GenerateTexts::notResponding());
    if (!*identity) {
        // The card's root is gone (a reader without its card): nothing can be written there.
        Result result = ended(Result::Ending::Refused, {});
        result.card.rootPath = card->rootPath;
        result.message = GenerateTexts::cardOutcome(result.card);
        return result;
    }
    const auto lock = std::make_shared<const FileSystem::MachineLock>(QStringLiteral("card-") + **identity);
    if (lock->state() == FileSystem::MachineLock::State::HeldElsewhere)
        return ended(Result::Ending::CardInUse, GenerateTexts::cardInUse());
    if (lock->state() == FileSystem::MachineLock::State::Failed)
        return ended(Result::Ending::NotLocked, GenerateTexts::cardNotLocked(lock->reason()));

    const quint8 mode = values.modeCode;
    std::optional<CardContents> held;
    waitForCard(frontEnd, [&](const DetachedWork::Pump& pump) {
        DetachedTask<CardContents> read([root = card->rootPath, mode](const DetachedWork::Liveness&) {
            return readParameterFileOnCard(root, mode);
        });
        held = read.waitWhile(frontEnd.silenceLimit, pump);
    });
    if (!held)
        return ended(Result::Ending::NotResponding, GenerateTexts::notResponding());
    // The identifier of a GSM or LAN file was registered on the portal: a new file drops it. A file that cannot be
    // shown to hold none counts as holding one.
    if (held->carriesHandedOffIdentifier() && !(frontEnd.replaceHandedOff && frontEnd.replaceHandedOff(*held))) {
        Result result = ended(Result::Ending::Kept, GenerateTexts::replaceHandedOffIdentifier(*held));
        result.held = held;
        return result;
    }

    // The write replaces only what was read (and asked about); a write given up keeps the card locked until it ends.
    std::optional<CardOutcome> written;
    if (frontEnd.beforeWrite)
        frontEnd.beforeWrite();
    waitForCard(frontEnd, [&](const DetachedWork::Pump& pump) {
        written = writeParameterFileWatched(values, *card, drives, pump, frontEnd.silenceLimit, held->standing, lock);
    });
    if (!written)
        return ended(Result::Ending::NotResponding, GenerateTexts::notResponding());

    Result result;
    result.card = *written;
    const CardOutcome& outcome = result.card;
    result.unrecorded = CardRecord::note(outcome, mode, *card, frontEnd.valuesRow, frontEnd.site);
    const bool handsOff = ModeCode::handsOffIdentifier(mode);
    if (outcome.cardHoldsNewFile()) {
        result.standardOutput = identifierText(outcome.identifier);
        // The card may carry this identifier now: the user must have it, confirmed or not.
        if (handsOff && frontEnd.savesIdentifierFile)
            result.identifierFile = IdentifierFile::save(outcome.identifier, outcome.folder, frontEnd.letsCardGo);
    }
    if (outcome.result != CardOutcome::Result::Written) {
        result.ending = Result::Ending::Refused;
        result.message = GenerateTexts::cardOutcome(outcome);
        if (outcome.result == CardOutcome::Result::Unconfirmed && handsOff)
            result.message.text += GenerateTexts::unconfirmedIdentifier(outcome.identifier, result.identifierFile);
        return result;
    }
    result.ending = Result::Ending::Written;
    if (!handsOff) {
        result.message = GenerateTexts::generated();
        return result;
    }
    result.message = GenerateTexts::generatedWithIdentifier(outcome.identifier, result.identifierFile);
    result.openIdentifierFile = result.identifierFile.place != IdentifierFile::Place::Nowhere;
    result.openPortal = true;
    return result;
}
