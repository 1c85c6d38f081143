#include "generation/CardWriter.h"

#include "drives/DetachedWork.h"
#include "drives/FileSystem.h"
#include "generation/DurableFile.h"
#include "generation/Identifier.h"
#include "generation/ParameterFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <mutex>

namespace {
const QString volumeLabel = QStringLiteral("Orva Config");
constexpr int volumeLabelLength = 11;
const QString cardFolderName = QStringLiteral("/02");
// How often a watched write looks at its thread.
constexpr int watchIntervalMs = 20;

// Goes on unless the caller stops the write.
bool goOn(const CardProgress& progress, CardStep step)
{
    return !progress || progress(step);
}

// The card folder, created when missing; a null string when it is not a real folder on the card itself, or when the
// caller stopped the write.
QString enterCardFolder(const QString& rootPath, const CardProgress& progress)
{
    const QString folder = rootPath + cardFolderName;
    if (!FileSystem::isFolderOnVolume(folder, rootPath)) {
        // mkdir refuses an existing entry (a link, a file), so only a missing folder is made here.
        if (!goOn(progress, CardStep::Folder) || !QDir(rootPath).mkdir(folder) ||
            !FileSystem::isFolderOnVolume(folder, rootPath))
            return QString();
    }
    return folder;
}

// What a watched write shares with its thread.
struct Watch
{
    std::mutex mutex;
    CardStep step = CardStep::Checking;
    QElapsedTimer sinceAnswer; // since the card last answered
    bool stopped = false;      // the caller gave up: the write stops at its next step
    bool finished = false;     // the outcome is in
    CardOutcome outcome;

    bool silentTooLong(int silenceLimitMs)
    {
        std::lock_guard<std::mutex> lock(mutex);
        const int allowed =
            step == CardStep::Labelling ? silenceLimitMs + DrivePlatform::labelTimeLimitMs : silenceLimitMs;
        return sinceAnswer.hasExpired(allowed);
    }
};
} // namespace

CardOutcome writeParameterFileToCard(const FormValues& values, const MountedVolume& listed, DrivePlatform& drives,
                                     const CardProgress& progress)
{
    CardOutcome outcome;
    outcome.rootPath = listed.rootPath;
    // A card taken out leaves its mount folder behind, on the computer's own disk: never write there.
    if (!goOn(progress, CardStep::Checking) || !drives.isStillMounted(listed, outcome.rootPath))
        return outcome;

    if (!goOn(progress, CardStep::Labelling))
        return outcome;
    outcome.rootPath = drives.setVolumeLabel(outcome.rootPath, volumeLabel.left(volumeLabelLength));
    if (!goOn(progress, CardStep::Checking) || !drives.isStillMounted(listed, outcome.rootPath))
        return outcome;

    if (drives.isReadOnly(outcome.rootPath)) {
        outcome.result = CardOutcome::Result::ReadOnly;
        return outcome;
    }

    if (!goOn(progress, CardStep::Folder))
        return outcome;
    outcome.folder = enterCardFolder(outcome.rootPath, progress);
    if (outcome.folder.isEmpty())
        return outcome;

    outcome.identifier = createAcceptableIdentifier();
    const ParameterFileInput input = parameterFileInput(values, outcome.identifier);
    outcome.fileName = input.fileName;
    const EncodedParameterFile encoded = encodeParameterFile(input);

    // The card was confirmed before the label; confirm it again now that the file is about to go onto it.
    if (!goOn(progress, CardStep::Checking) || !drives.isStillMounted(listed, outcome.rootPath) ||
        !goOn(progress, CardStep::Folder) || !FileSystem::isFolderOnVolume(outcome.folder, outcome.rootPath)) {
        outcome.result = CardOutcome::Result::CardNotFound;
        return outcome;
    }
    const DurableWrite write =
        writeDurably(outcome.folder + QLatin1Char('/') + outcome.fileName, encoded.header + encoded.body,
                     [&progress] { return goOn(progress, CardStep::Writing); });
    outcome.reason = write.reason;
    switch (write.result) {
    case DurableWrite::Result::Written:
        outcome.result = CardOutcome::Result::Written;
        break;
    case DurableWrite::Result::NotWritten:
        outcome.result = CardOutcome::Result::NotWritten;
        break;
    case DurableWrite::Result::Unconfirmed:
        outcome.result = CardOutcome::Result::Unconfirmed;
        break;
    }
    return outcome;
}

std::optional<CardOutcome> writeParameterFileWatched(const FormValues& values, const MountedVolume& listed,
                                                     std::shared_ptr<DrivePlatform> drives, int silenceLimitMs)
{
    auto watch = std::make_shared<Watch>();
    watch->sinceAnswer.start();
    // The thread holds the form, the volume, the platform and the watch: the caller may be gone when it ends.
    DetachedWork work([watch, values, listed, drives] {
        const CardOutcome outcome = writeParameterFileToCard(values, listed, *drives, [&watch](CardStep step) {
            std::lock_guard<std::mutex> lock(watch->mutex);
            watch->step = step;
            watch->sinceAnswer.restart();
            return !watch->stopped;
        });
        std::lock_guard<std::mutex> lock(watch->mutex);
        watch->outcome = outcome;
        watch->finished = true;
    });

    // The event loop runs until the write ends or the card has been silent too long, checked a few times a second.
    // Should the application be told to quit meanwhile, the loop returns at once: the wait then blocks in slices.
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(watchIntervalMs);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (work.hasEnded() || watch->silentTooLong(silenceLimitMs))
            loop.quit();
    });
    tick.start();
    while (!work.hasEnded() && !watch->silentTooLong(silenceLimitMs)) {
        QElapsedTimer turn;
        turn.start();
        loop.exec();
        if (turn.elapsed() < 1)
            work.waitFor(QDeadlineTimer(watchIntervalMs));
    }
    // Decided under the watch's lock: an outcome that came in time is the answer, else the write is stopped and
    // whatever it does afterwards goes nowhere.
    std::lock_guard<std::mutex> lock(watch->mutex);
    if (watch->finished)
        return watch->outcome;
    watch->stopped = true;
    work.giveUp();
    return std::nullopt;
}
