#include "generation/RunCard.h"

#include "drives/CardIdentity.h"
#include "generation/GenerateProcedure.h"

QUuid RunCard::keptIdentifier() const
{
    return result == Result::Kept || result == Result::AlreadyPrepared ? held.identifier : QUuid();
}

QString cardShownName(const MountedVolume& volume)
{
    return CardIdentity::shownName(volume);
}

RunCard runCardOf(const GenerateProcedure::Result& result, const MountedVolume& card, const FormValues& values)
{
    RunCard ended;
    ended.card = cardShownName(card);
    ended.rootPath = card.rootPath;
    ended.reader = card.reader;
    ended.modeCode = values.modeCode;
    ended.ejectAsked = values.ejectCardWhenDone;
    ended.time = QDateTime::currentDateTime();
    ended.identifier = result.card.identifier;
    ended.carriesNew = result.card.cardHoldsNewFile();
    ended.reason = result.message.text;
    ended.reason.replace(QLatin1Char('\n'), QLatin1Char(' '));
    ended.unrecorded = result.unrecorded.value_or(QString());
    using Ending = GenerateProcedure::Result::Ending;
    switch (result.ending) {
    case Ending::FormRefused:
    case Ending::NoCard:
    case Ending::NotLocked:
        ended.result = RunCard::Result::Failed;
        break;
    case Ending::CardInUse:
        ended.result = RunCard::Result::InUse;
        break;
    case Ending::NotResponding:
        ended.result = RunCard::Result::Silent;
        break;
    case Ending::Kept:
        ended.held = result.held.value_or(CardContents());
        ended.identifier = ended.held.identifier;
        ended.result = RunCard::Result::Kept;
        break;
    case Ending::Refused:
        ended.result = RunCard::Result::Failed;
        if (result.card.result == CardOutcome::Result::ReadOnly)
            ended.result = RunCard::Result::ReadOnly;
        else if (result.card.result == CardOutcome::Result::Full)
            ended.result = RunCard::Result::Full;
        break;
    case Ending::Written:
        ended.result = RunCard::Result::Prepared;
        ended.rootPath = result.card.rootPath;
        ended.reason.clear();
        break;
    }
    return ended;
}
