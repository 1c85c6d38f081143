#include "generation/CardSeries.h"

#include "base/DetachedTask.h"
#include "drives/VolumeWatcher.h"
#include "form/PhoneNumber.h"
#include "generation/CardContents.h"
#include "generation/CardRelease.h"
#include "generation/GenerateProcedure.h"

#include <QCoreApplication>
#include <QDateTime>

#include <algorithm>
#include <iterator>
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

RunCard prepareSeriesCard(const CardSeries::Settings& settings, const MountedVolume& card,
                          const std::shared_ptr<DrivePlatform>& drives, const QSet<QUuid>& runIdentifiers,
                          const std::optional<ValuesPerCard::Row>& row)
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
        if (row) {
            frontEnd.valuesRow = row->number;
            frontEnd.site = row->site;
        }
        result =
            GenerateProcedure::run(row ? row->appliedTo(settings.values) : settings.values, card, drives, frontEnd);
    }
    RunCard ended = runCardOf(result, card, settings.values);
    ended.inSeries = true;
    ended.writeBegun = writeBegun;
    ended.preset = settings.preset;
    // The card's file may hold the row's values: the run pairs its identifier with the row.
    if (row && ended.carriesNew) {
        ended.valuesRow = row->number;
        ended.site = row->site;
        ended.rowValues = row->shownValues();
    }
    return ended;
}

void letSeriesCardGo(RunCard& card, DrivePlatform& drives)
{
    // A silent card would keep the eject waiting too; a card in use is another writer's to let go.
    if (!card.ejectAsked || card.result == RunCard::Result::Silent || card.result == RunCard::Result::InUse)
        return;
    const EjectOutcome outcome = releaseCard(drives, card.rootPath);
    card.letGo = outcome.result == EjectOutcome::Result::Ejected;
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
    if (settings.valuesPerCard) {
        // The rows stand in for the form's fields: each row over the form is what a card gets.
        if ((started.valuesRefusal = ValuesPerCard::check(*settings.valuesPerCard, settings.values))) {
            started.problem = StartProblem::Values;
            return started;
        }
    } else if ((started.formProblem = checkForm(settings.values))) {
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
    resetRows();
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
        std::optional<ValuesPerCard::Row> row;
        if (settings.valuesPerCard) {
            // Every row left is in hand: the card waits until one comes back, or every row was used.
            if (freeRows.isEmpty()) {
                waiting.insert(key, volume);
                continue;
            }
            const int index = freeRows.takeFirst();
            rowsInHand.insert(key, index);
            row = settings.valuesPerCard->rows.at(index);
        }
        waiting.remove(key);
        inHandKeys.insert(key);
        emit cardStarted(cardShownName(volume));
        // Each card on a thread of its own: several readers prepare their cards at once. The thread holds what it
        // uses; its end is handed back through the inbox, and dropped when the series has gone.
        std::thread([settings = settings, volume, drives = drives, identifiers = run.identifiers(),
                     handBack = inbox.sender(), series = this, key, row] {
            RunCard card = prepareSeriesCard(settings, volume, drives, identifiers, row);
            letSeriesCardGo(card, *drives);
            handBack([series, key, card] { series->cardDone(key, card); });
        }).detach();
    }
    // A card taken out may come back: it is looked at again then (and known by its identifier).
    present.intersect(now);
    for (auto card = waiting.begin(); card != waiting.end();)
        card = now.contains(card.key()) ? std::next(card) : waiting.erase(card);
    mounted = now;
}

void CardSeries::resetRows()
{
    freeRows.clear();
    for (int row = 0; settings.valuesPerCard && row < settings.valuesPerCard->rows.size(); ++row)
        freeRows.append(row);
    usedRows = 0;
    rowsInHand.clear();
    waiting.clear();
    usedUp = false;
}

std::optional<ValuesPerCard::Refusal> CardSeries::setValuesPerCard(std::shared_ptr<const ValuesPerCard::List> list)
{
    if (!inHandKeys.isEmpty())
        return ValuesPerCard::Refusal{
            0, QCoreApplication::translate("Configurator", "wait until the cards being prepared have ended")};
    if (list) {
        if (std::optional<ValuesPerCard::Refusal> refusal = ValuesPerCard::check(*list, settings.values))
            return refusal;
    }
    settings.valuesPerCard = std::move(list);
    resetRows();
    // A card that waited for a row gets one now, or goes as the others did.
    if (running && !stopping)
        lookAtVolumes();
    return std::nullopt;
}

std::optional<ValuesPerCard::Row> CardSeries::nextRow() const
{
    if (!settings.valuesPerCard || freeRows.isEmpty())
        return std::nullopt;
    return settings.valuesPerCard->rows.at(freeRows.first());
}

void CardSeries::endAsRowsUsedUp()
{
    usedUp = true;
    for (auto card = waiting.cbegin(); card != waiting.cend(); ++card) {
        RunCard ended = runCardOf(GenerateProcedure::Result(), card.value(), settings.values);
        ended.result = RunCard::Result::Failed;
        ended.reason = QCoreApplication::translate("Configurator", "every row of the values per card was used");
        ended.ejectAsked = false;
        ended.inSeries = true;
        present.insert(card.key());
        run.add(ended);
        ++refusedCount;
        emit cardEnded(ended);
    }
    waiting.clear();
    stop();
}

void CardSeries::cardDone(const QString& key, const RunCard& card)
{
    inHandKeys.remove(key);
    // Not taken again while it stays in; one taken out meanwhile is taken again when it comes back.
    if (mounted.contains(key))
        present.insert(key);
    run.add(card);
    const bool prepared = card.result == RunCard::Result::Prepared;
    if (prepared)
        ++preparedCount;
    else
        ++refusedCount;
    // A row is used by a card prepared; any other card gives it back, to the next card.
    bool rowBack = false;
    if (rowsInHand.contains(key)) {
        const int row = rowsInHand.take(key);
        if (prepared) {
            ++usedRows;
        } else {
            freeRows.insert(std::lower_bound(freeRows.begin(), freeRows.end(), row), row);
            rowBack = true;
        }
    }
    emit cardEnded(card);
    if (settings.count > 0 && preparedCount >= settings.count)
        stop();
    else if (settings.valuesPerCard && usedRows == settings.valuesPerCard->rows.size() && !stopping)
        endAsRowsUsedUp();
    else if (rowBack && !waiting.isEmpty())
        lookAtVolumes();
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
