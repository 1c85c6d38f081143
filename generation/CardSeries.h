#pragma once

#include "base/ThreadInbox.h"
#include "base/TimeLimits.h"
#include "drives/DrivePlatform.h"
#include "form/FormCheck.h"
#include "form/FormValues.h"
#include "generation/CardContents.h"
#include "generation/IdentifierFile.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUuid>
#include <QVector>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class VolumeWatcher;

// One card of a run, as it ended: prepared as "Generate" prepares it, or left as it was, and why.
struct RunCard
{
    enum class Result
    {
        Prepared,        // the file is on the card, read back equal
        Kept,            // the card holds (or may hold) an identifier handed to the user: left byte for byte (held)
        AlreadyPrepared, // the card holds an identifier of this run: it was prepared earlier in the run (held)
        OtherFiles,      // the drive holds files of someone's: neither blank nor a module's card, it is not touched
        ReadOnly,        // the card is write-protected
        Full,            // the card has no room for the file
        Silent,          // the card stopped answering
        InUse,           // another writer (a window, vskwrite) holds the card: it is still being written
        Failed,          // anything else (reason: the window's message)
    };
    Result result = Result::Failed;
    QDateTime time; // when the card ended, local
    QString card;   // the card as shown to the user (cardShownName)
    QString rootPath;
    quint8 modeCode = 0;
    QUuid identifier;        // Prepared: the new one; Kept, AlreadyPrepared: the one the card holds (may be null)
    bool carriesNew = false; // the card may carry the new identifier (Prepared, or a write that was not confirmed)
    CardContents held;       // Kept, AlreadyPrepared: what the card holds
    QString reason;          // Failed: why; else why the card was not let go, when it was to be
    bool ejectAsked = false; // the card was to be let go once it ended
    bool letGo = false;      // the card was let go: it is no longer mounted
    bool inSeries = false;   // put in during a series, not prepared with "Generate"
    bool writeBegun = false; // the write started: the card's new file may have gone live
    QString unrecorded;      // why the record of prepared cards missed the card, when it did

    // The card is no longer mounted: it may be taken out. A mounted card is not (a mounted FAT volume stays marked
    // dirty until it is unmounted), nor one that another writer still writes.
    bool mayBeRemoved() const { return letGo; }
    // The identifier the card held and kept (Kept, AlreadyPrepared): not one this run wrote. Null for other cards.
    QUuid keptIdentifier() const;
};

Q_DECLARE_METATYPE(RunCard)

// The card as the run's list, the notifications and vskwrite name it.
QString cardShownName(const MountedVolume& volume);

namespace RunTexts {
// The result column of the run's list and the line of vskwrite: "may be removed", "kept: GSM ...", "read only", ...
QString result(const RunCard& card);
// A word for scripts: prepared, kept, already-prepared, other-files, read-only, full, silent, in-use, failed.
QString resultCode(RunCard::Result result);
// The notification for a card that ended: its title and text, saying whether it may be removed.
QString notificationTitle(const RunCard& card);
QString notificationText(const RunCard& card);
} // namespace RunTexts

// The cards of one run (a series, or cards prepared one after the other), and the run's identifiers file: the
// handed-off identifiers of the run, with card, mode and time, in one file beside the identifier file of a single card
// ("ORVA Serial Numbers <started>.txt"), which no card replaces. The run makes its file new at its first write, with a
// counter in the name when another run's file has it ("... (2).txt"), and afterwards replaces only its own file.
// Lives on one thread.
class CardRun
{
public:
    explicit CardRun(const QDateTime& started = QDateTime::currentDateTime());

    // Adds the card; a card that may carry a handed-off identifier goes into the run's identifiers file, from the
    // second such card of the run on, or from the first put in during a series. A card of a series also gets the
    // identifier file of a single card (which "Generate" saves itself), in the order the cards end: it holds the
    // identifier of the last card.
    void add(const RunCard& card);
    const QVector<RunCard>& cards() const { return all; }
    // The identifiers this run wrote onto cards.
    const QSet<QUuid>& identifiers() const { return written; }
    int handedOff() const { return handedOffCount; }
    // The identifiers file, once there is one.
    const IdentifierFile::Saved& identifiersFile() const { return file; }
    QString identifiersFileName() const;
    // The file's content for the cards.
    static QByteArray identifiersContent(const QVector<RunCard>& cards);
    // At the end of the run: true once for each time new identifiers went into the file since it was last shown
    // (the front end then shows the file and opens the portal).
    bool takeHandOff();

private:
    QDateTime started;
    QVector<RunCard> all;
    QVector<RunCard> handedOffCards;
    QSet<QUuid> written;
    int handedOffCount = 0;
    bool unshown = false;
    IdentifierFile::Saved file;
};

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

namespace GenerateProcedure {
struct Result;
}
// The card as the run lists it, from what "Generate" made of it.
RunCard runCardOf(const GenerateProcedure::Result& result, const MountedVolume& card, const FormValues& values);

// Prepares the one card as a series does (on the calling thread; it waits for the card within the silence limit); the
// series then lets it go when asked (letSeriesCardGo).
RunCard prepareSeriesCard(const CardSeries::Settings& settings, const MountedVolume& card,
                          const std::shared_ptr<DrivePlatform>& drives, const QSet<QUuid>& runIdentifiers);
// Lets the card of a series go when its form asks to (the eject option), whatever became of it, unless it did not
// answer or another writer holds it: a card is said to be removable only once it is no longer mounted.
void letSeriesCardGo(RunCard& card, DrivePlatform& drives);
