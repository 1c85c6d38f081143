#pragma once

#include "base/ThreadInbox.h"
#include "base/TimeLimits.h"
#include "drives/DrivePlatform.h"
#include "form/FormCheck.h"
#include "form/FormValues.h"
#include "generation/CardRun.h"
#include "generation/RunCard.h"
#include "generation/ValuesPerCard.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUuid>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class VolumeWatcher;

// Prepares each card put in while it runs, with one form, as "Generate" prepares it (labelling, the write watched,
// read back, the record, letting the card go when asked), without asking anything. Only a card meant for the module is
// prepared (blank, or holding a module's configuration: lookAtCardRoot); any other drive is left untouched. A card that
// holds or may hold a handed-off identifier is kept byte for byte (unless replaceHandedOff), a card that holds an
// identifier of the run is not written again. The cards already in when it starts are not written. Several cards are
// prepared at once, each on a thread of its own. Woken by the platform's volume notifications, never by looking on a
// timer.
class CardSeries : public QObject
{
    Q_OBJECT

public:
    struct Settings
    {
        FormValues values;
        bool replaceHandedOff = false;
        int count = 0; // ends the series once that many cards were prepared; 0: no end
        // The readers taken out of the series (MountedVolume::readerId): a card in one of them is not prepared, nor
        // listed; it is taken as one that was in before, should its reader be put back in the series.
        QSet<QString> skippedReaders;
        std::chrono::milliseconds silenceLimit = TimeLimits::cardSilence;
        // Called on the card's thread right before a card is written (GenerateProcedure::FrontEnd::beforeWrite).
        std::function<void()> beforeWrite;
        // Values per card: each card gets the lowest row that no card prepared has used, over the form. A row is used
        // by a card prepared only; a card that ends otherwise gives its row back. A card put in while every row left
        // is in hand waits for one; once every row was used the series ends, and the cards waiting are told so.
        std::shared_ptr<const ValuesPerCard::List> valuesPerCard;
        QString preset; // the preset the form was filled from, for the run's list
    };
    enum class StartProblem
    {
        Form,            // the form breaks a rule
        Values,          // a row of the values per card, over the form, breaks one
        NoNotifications, // the platform tells nothing of cards put in
    };
    struct Started
    {
        std::optional<StartProblem> problem;
        std::optional<FormProblem> formProblem;
        std::optional<ValuesPerCard::Refusal> valuesRefusal;
    };

    // run takes every card that ends; it must outlive the series.
    CardSeries(std::shared_ptr<DrivePlatform> drives, CardRun& run, QObject* parent = nullptr);
    ~CardSeries() override;

    // Checks the form (phone numbers in their accepted form first) and starts waiting for cards.
    Started start(const Settings& settings);
    // Takes no more cards; finished follows once the cards in hand ended (at once when there are none).
    void stop();
    // Ends the series once count cards were prepared (0: no end); may change while it runs.
    void setCount(int count);
    // The readers taken out of the series; may change while it runs.
    void setSkippedReaders(const QSet<QString>& readers);
    bool isRunning() const { return running; }
    int prepared() const { return preparedCount; }
    int refused() const { return refusedCount; }
    int inHand() const { return int(inHandKeys.size()); }
    // Gives the cards put in from now on the rows of list, over the series' form (nullptr: none), once every row is
    // checked; the rows start afresh. Only while no card is in hand: the reason when it is refused.
    std::optional<ValuesPerCard::Refusal> setValuesPerCard(std::shared_ptr<const ValuesPerCard::List> list);
    const ValuesPerCard::List* valuesPerCard() const { return settings.valuesPerCard.get(); }
    // The row the next card put in gets (nothing without values per card, or when every row left is in hand).
    std::optional<ValuesPerCard::Row> nextRow() const;
    // The series ended as every row of the values per card was used.
    bool rowsUsedUp() const { return usedUp; }

    // Looks at the mounted volumes now: the watcher calls it as they change.
    void lookAtVolumes();

signals:
    void cardStarted(const QString& card);
    void cardEnded(const RunCard& card);
    void finished();

private:
    void cardDone(const QString& key, const RunCard& card);
    void endIfDone();
    // Every row was used: the cards waiting for one end unprepared, and the series with them.
    void endAsRowsUsedUp();
    void resetRows();

    std::shared_ptr<DrivePlatform> drives;
    CardRun& run;
    Settings settings;
    bool running = false;
    bool stopping = false;
    QSet<QString> present;    // the removable volumes seen mounted: not taken again while they stay
    QSet<QString> inHandKeys; // being prepared
    QSet<QString> mounted;    // the removable volumes mounted at the last look
    int preparedCount = 0;
    int refusedCount = 0;
    QVector<int> freeRows;                 // the rows of the values per card that no card used nor holds, lowest first
    int usedRows = 0;                      // by cards prepared
    QHash<QString, int> rowsInHand;        // the row each card in hand holds
    QHash<QString, MountedVolume> waiting; // put in while every row left was in hand
    bool usedUp = false;
    VolumeWatcher* watcher = nullptr;
    ThreadInbox inbox{this};
};

// Prepares the one card as a series does (on the calling thread; it waits for the card within the silence limit); the
// series then lets it go when asked (letSeriesCardGo).
// The card gets row over the form when one is given.
RunCard prepareSeriesCard(const CardSeries::Settings& settings, const MountedVolume& card,
                          const std::shared_ptr<DrivePlatform>& drives, const QSet<QUuid>& runIdentifiers,
                          const std::optional<ValuesPerCard::Row>& row = std::nullopt);
// Lets the card of a series go when its form asks to (the eject option), whatever became of it, unless it did not
// answer or another writer holds it: a card is said to be removable only once it is no longer mounted.
void letSeriesCardGo(RunCard& card, DrivePlatform& drives);
