#pragma once

#include "base/ThreadInbox.h"
#include "base/TimeLimits.h"
#include "drives/DrivePlatform.h"
#include "form/FormCheck.h"
#include "form/FormValues.h"
#include "generation/CardRun.h"
#include "generation/RunCard.h"

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
    };
    enum class StartProblem
    {
        Form,            // the form breaks a rule
        NoNotifications, // the platform tells nothing of cards put in
    };
    struct Started
    {
        std::optional<StartProblem> problem;
        std::optional<FormProblem> formProblem;
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

    // Looks at the mounted volumes now: the watcher calls it as they change.
    void lookAtVolumes();

signals:
    void cardStarted(const QString& card);
    void cardEnded(const RunCard& card);
    void finished();

private:
    void cardDone(const QString& key, const RunCard& card);
    void endIfDone();

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
    VolumeWatcher* watcher = nullptr;
    ThreadInbox inbox{this};
};

// Prepares the one card as a series does (on the calling thread; it waits for the card within the silence limit); the
// series then lets it go when asked (letSeriesCardGo).
RunCard prepareSeriesCard(const CardSeries::Settings& settings, const MountedVolume& card,
                          const std::shared_ptr<DrivePlatform>& drives, const QSet<QUuid>& runIdentifiers);
// Lets the card of a series go when its form asks to (the eject option), whatever became of it, unless it did not
// answer or another writer holds it: a card is said to be removable only once it is no longer mounted.
void letSeriesCardGo(RunCard& card, DrivePlatform& drives);
