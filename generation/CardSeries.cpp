#include "generation/CardSeries.h"

#include "base/DetachedTask.h"
#include "base/ShownText.h"
#include "drives/CardIdentity.h"
#include "drives/VolumeWatcher.h"
#include "form/ModeCodes.h"
#include "form/PhoneNumber.h"
#include "generation/GenerateProcedure.h"
#include "generation/GenerateTexts.h"
#include "parameterfile/Identifier.h"
#include "parameterfile/ParameterFile.h"

#include <QCoreApplication>

#include <thread>

namespace {
// What tells a mounted volume from the others: its device where the platform tells it (a label may mount the card
// again elsewhere), with what tells one medium in that device from the next (a card's own serial number, a loop
// device's image), so that a card swapped for another between two looks is a new card; else its root.
QString volumeKey(const MountedVolume& volume)
{
    if (volume.device == 0)
        return volume.rootPath;
    return QStringLiteral("device:%1|%2|%3").arg(volume.device).arg(volume.serial, volume.backingFile);
}

} // namespace

QUuid RunCard::keptIdentifier() const
{
    return result == Result::Kept || result == Result::AlreadyPrepared ? held.identifier : QUuid();
}

QString cardShownName(const MountedVolume& volume)
{
    return CardIdentity::shownName(volume);
}

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

CardRun::CardRun(const QDateTime& started) : started(started) {}

QString CardRun::identifiersFileName() const
{
    return QStringLiteral("ORVA Serial Numbers %1.txt").arg(started.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")));
}

QByteArray CardRun::identifiersContent(const QVector<RunCard>& cards)
{
    // As the identifier file of one card, with one line for each card: its identifier, mode, time and card.
    const QByteArray banner = QByteArray(38, '*') + " THIS IS IMPORTANT " + QByteArray(38, '*');
    QByteArray bytes = banner + "\r\n\r\n" +
                       "PLEASE KEEP THESE IDENTIFIERS FOR THE AUTHENTICATION OF YOUR INSTALLATIONS ON THE ORVA "
                       "WEBSITE\r\n\r\n";
    for (const RunCard& card : cards) {
        const char* mode = ModeCode::name(card.modeCode);
        bytes += "YOUR IDENTIFIER (GUID) : " + identifierText(card.identifier).toLatin1() + "   " +
                 QByteArray(mode ? mode : "?") + "   " +
                 card.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1() + "   " + card.card.toUtf8() +
                 (card.result == RunCard::Result::Prepared ? "" : "   (not confirmed)") + "\r\n";
    }
    return bytes + "\r\n" + banner;
}

void CardRun::add(const RunCard& card)
{
    all.append(card);
    if (!card.carriesNew)
        return;
    written.insert(card.identifier);
    if (!ModeCode::handsOffIdentifier(card.modeCode))
        return;
    handedOffCards.append(card);
    ++handedOffCount;
    // "ORVA Serial Number.txt" holds the last card's identifier: "Generate" saves it for its card, a series's cards get
    // it here, one after the other as they end, off the card that goes.
    if (card.inSeries)
        IdentifierFile::save(card.identifier, QString(), true);
    // The first card prepared with "Generate" hands its identifier off as a single card does; from the second on, and
    // for every card of a series, the run's file holds them all.
    if (handedOffCount < 2 && !card.inSeries)
        return;
    file = IdentifierFile::saveOffCard(identifiersFileName(), identifiersContent(handedOffCards), file);
    unshown = true;
}

bool CardRun::takeHandOff()
{
    const bool shown = unshown;
    unshown = false;
    return shown;
}

RunCard runCardOf(const GenerateProcedure::Result& result, const MountedVolume& card, const FormValues& values)
{
    RunCard ended;
    ended.card = cardShownName(card);
    ended.rootPath = card.rootPath;
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

RunCard prepareSeriesCard(const CardSeries::Settings& settings, const MountedVolume& card,
                          const std::shared_ptr<DrivePlatform>& drives, const QSet<QUuid>& runIdentifiers)
{
    // A card that holds an identifier of this run was prepared earlier in it: it is not written again. A drive that is
    // neither blank nor a module's card is someone's: it is not touched at all.
    struct Look
    {
        CardRootFinding root;
        QVector<CardContents> files;
    };
    DetachedTask<Look> read([root = card.rootPath](const DetachedWork::Liveness&) {
        return Look{lookAtCardRoot(root), readCardFiles(root)};
    });
    const std::optional<Look> look = read.waitWhile(settings.silenceLimit);
    const QVector<CardContents> held = look ? look->files : QVector<CardContents>();
    for (const CardContents& file : held) {
        if (!file.identifier.isNull() && runIdentifiers.contains(file.identifier)) {
            GenerateProcedure::Result kept;
            kept.ending = GenerateProcedure::Result::Ending::Kept;
            kept.held = file;
            RunCard ended = runCardOf(kept, card, settings.values);
            ended.result = RunCard::Result::AlreadyPrepared;
            ended.inSeries = true;
            return ended;
        }
    }
    if (look && (look->root.kind == CardRootFinding::Kind::OtherFiles ||
                 look->root.kind == CardRootFinding::Kind::Unreadable)) {
        RunCard ended = runCardOf(GenerateProcedure::Result(), card, settings.values);
        ended.inSeries = true;
        if (look->root.kind == CardRootFinding::Kind::OtherFiles) {
            ended.result = RunCard::Result::OtherFiles;
            ended.reason.clear();
        } else {
            ended.result = RunCard::Result::Failed;
            ended.reason = QCoreApplication::translate("Configurator", "its folders cannot be read");
        }
        return ended;
    }

    GenerateProcedure::Result result;
    bool writeBegun = false;
    if (!look) {
        result.ending = GenerateProcedure::Result::Ending::NotResponding;
    } else {
        GenerateProcedure::FrontEnd frontEnd;
        const bool replace = settings.replaceHandedOff;
        frontEnd.replaceHandedOff = [replace](const CardContents&) { return replace; };
        frontEnd.silenceLimit = settings.silenceLimit;
        frontEnd.letsCardGo = settings.values.ejectCardWhenDone;
        frontEnd.savesIdentifierFile = false;
        frontEnd.beforeWrite = [&settings, &writeBegun] {
            writeBegun = true;
            if (settings.beforeWrite)
                settings.beforeWrite();
        };
        result = GenerateProcedure::run(settings.values, card, drives, frontEnd);
    }
    RunCard ended = runCardOf(result, card, settings.values);
    ended.inSeries = true;
    ended.writeBegun = writeBegun;
    return ended;
}

void letSeriesCardGo(RunCard& card, DrivePlatform& drives)
{
    // A silent card would keep the eject waiting too; a card in use is another writer's to let go.
    if (!card.ejectAsked || card.result == RunCard::Result::Silent || card.result == RunCard::Result::InUse)
        return;
    const EjectOutcome outcome = drives.ejectCard(card.rootPath);
    // Never "may be removed" for a card that is still mounted, whatever the system answered.
    card.letGo = outcome.result == EjectOutcome::Result::Ejected && !drives.volumeAt(card.rootPath);
    if (!card.letGo && card.result != RunCard::Result::Failed)
        card.reason = outcome.reason;
    card.time = QDateTime::currentDateTime();
}

CardSeries::CardSeries(std::shared_ptr<DrivePlatform> drives, CardRun& run, QObject* parent)
    : QObject(parent), drives(std::move(drives)), run(run)
{
    qRegisterMetaType<RunCard>();
}

CardSeries::~CardSeries() = default;

CardSeries::Started CardSeries::start(const Settings& given)
{
    Started started;
    settings = given;
    settings.values = PhoneNumber::inAcceptedForm(given.values);
    if ((started.formProblem = checkForm(settings.values))) {
        started.problem = StartProblem::Form;
        return started;
    }
    delete watcher;
    watcher = new VolumeWatcher(this);
    if (!watcher->isWatching()) {
        started.problem = StartProblem::NoNotifications;
        return started;
    }
    connect(watcher, &VolumeWatcher::volumesChanged, this, &CardSeries::lookAtVolumes);
    // The cards in now are not the series': only those put in from here on are.
    present.clear();
    const QVector<MountedVolume> volumes = drives->mountedVolumes();
    for (const MountedVolume& volume : volumes) {
        if (volume.removable)
            present.insert(volumeKey(volume));
    }
    preparedCount = 0;
    refusedCount = 0;
    running = true;
    stopping = false;
    return started;
}

void CardSeries::stop()
{
    if (!running || stopping)
        return;
    stopping = true;
    delete watcher;
    watcher = nullptr;
    endIfDone();
}

void CardSeries::setCount(int count)
{
    settings.count = count;
    if (running && count > 0 && preparedCount >= count)
        stop();
}

void CardSeries::setSkippedReaders(const QSet<QString>& readers)
{
    settings.skippedReaders = readers;
}

void CardSeries::lookAtVolumes()
{
    if (!running || stopping)
        return;
    QSet<QString> now;
    const QVector<MountedVolume> volumes = drives->mountedVolumes();
    for (const MountedVolume& volume : volumes) {
        if (!volume.removable)
            continue;
        const QString key = volumeKey(volume);
        now.insert(key);
        if (present.contains(key) || inHandKeys.contains(key))
            continue;
        // A card in a reader taken out of the series is not the series': as a card in before it started.
        if (!volume.readerId.isEmpty() && settings.skippedReaders.contains(volume.readerId)) {
            present.insert(key);
            continue;
        }
        inHandKeys.insert(key);
        emit cardStarted(cardShownName(volume));
        // Each card on a thread of its own: several readers prepare their cards at once. The thread holds what it
        // uses; its end is handed back through the inbox, and dropped when the series has gone.
        std::thread([settings = settings, volume, drives = drives, identifiers = run.identifiers(),
                     handBack = inbox.sender(), series = this, key] {
            RunCard card = prepareSeriesCard(settings, volume, drives, identifiers);
            letSeriesCardGo(card, *drives);
            handBack([series, key, card] { series->cardDone(key, card); });
        }).detach();
    }
    // A card taken out may come back: it is looked at again then (and known by its identifier).
    present.intersect(now);
    mounted = now;
}

void CardSeries::cardDone(const QString& key, const RunCard& card)
{
    inHandKeys.remove(key);
    // Not taken again while it stays in; one taken out meanwhile is taken again when it comes back.
    if (mounted.contains(key))
        present.insert(key);
    run.add(card);
    if (card.result == RunCard::Result::Prepared)
        ++preparedCount;
    else
        ++refusedCount;
    emit cardEnded(card);
    if (settings.count > 0 && preparedCount >= settings.count)
        stop();
    endIfDone();
}

void CardSeries::endIfDone()
{
    if (!stopping || !inHandKeys.isEmpty())
        return;
    running = false;
    stopping = false;
    emit finished();
}
