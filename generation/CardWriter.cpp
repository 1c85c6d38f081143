#include "generation/CardWriter.h"

#include "base/FileSystem.h"
#include "base/DurableFile.h"
#include "parameterfile/Identifier.h"
#include "parameterfile/ParameterFile.h"

#include <QStorageInfo>

namespace {
const QString cardFolderName = QLatin1Char('/') + QLatin1String(ParameterFile::cardFolderName);

// Goes on unless the caller stops the write.
bool goOn(const CardProgress& progress, CardStep step)
{
    return !progress || progress(step);
}

std::optional<CardFolderProblem> refused(CardFolderProblem::Kind kind, const QString& reason = QString())
{
    return CardFolderProblem{kind, reason};
}

// What is wrong with an entry called "02" that is not a folder (nothing for one that is missing or a folder).
std::optional<CardFolderProblem> entryProblem(const FileSystem::Entry& entry)
{
    using Kind = FileSystem::Entry::Kind;
    switch (entry.kind) {
    case Kind::Missing:
    case Kind::Folder:
        return std::nullopt;
    case Kind::RegularFile:
        return refused(CardFolderProblem::Kind::IsFile);
    case Kind::Link:
        return refused(CardFolderProblem::Kind::IsLink);
    case Kind::Other:
        return refused(CardFolderProblem::Kind::IsOther, entry.description);
    case Kind::Unreadable:
        break;
    }
    return refused(CardFolderProblem::Kind::Unusable, entry.reason);
}

// Whether the card folder at folder can take the file, looked at without changing anything: missing (it is made
// later) or a real folder on the card's own volume.
std::optional<CardFolderProblem> cardFolderProblem(const QString& folder, const QString& rootPath)
{
    const FileSystem::Entry entry = FileSystem::entryAt(folder);
    if (entry.kind == FileSystem::Entry::Kind::Folder && !FileSystem::isFolderOnVolume(folder, rootPath))
        return refused(CardFolderProblem::Kind::OnAnotherDrive);
    return entryProblem(entry);
}

// Room for a parameter file of the largest size beside the one the card holds. A volume that tells no size (some FUSE
// file systems report none) is left to the write, which reports a full medium itself.
bool hasRoom(const QString& rootPath)
{
    const QStorageInfo storage(rootPath);
    return !storage.isValid() || storage.bytesTotal() <= 0 ||
           storage.bytesAvailable() >= 2 * qint64(ParameterFile::largestSize);
}

// What became of entering the card folder in the open root.
struct EnteredFolder
{
    FileSystem::Folder folder;                // open when entered
    std::optional<CardFolderProblem> problem; // else what is wrong with it, if anything (else the card went away)
};

// Enters the card folder in the open root, making it when missing: a real folder on the card itself, never a link.
EnteredFolder enterCardFolder(const FileSystem::Folder& root, const std::function<bool()>& cardThere)
{
    const QString name = QLatin1String(ParameterFile::cardFolderName);
    EnteredFolder entered;
    FileSystem::Entry entry = root.entry(name);
    // mkdir refuses an existing entry (a link, a file), so only a missing folder is made here.
    if (entry.kind == FileSystem::Entry::Kind::Missing) {
        if (const std::optional<QString> reason = root.makeFolder(name)) {
            if (cardThere())
                entered.problem = refused(CardFolderProblem::Kind::Unusable, *reason);
            return entered;
        }
        entry = root.entry(name);
    }
    if ((entered.problem = entryProblem(entry)))
        return entered;
    entered.folder = root.folder(name);
    if (!entered.folder.isOpen()) {
        // Another entry took the name meanwhile, or the card went.
        entry = root.entry(name);
        entered.problem = entryProblem(entry);
        if (!entered.problem && cardThere())
            entered.problem = refused(CardFolderProblem::Kind::Unusable, entered.folder.reason());
    } else if (!entered.folder.sameVolume(root)) {
        entered.folder = FileSystem::Folder();
        entered.problem = refused(CardFolderProblem::Kind::OnAnotherDrive);
    }
    return entered;
}
} // namespace

CardOutcome writeParameterFileToCard(const FormValues& values, const MountedVolume& listed, DrivePlatform& drives,
                                     const CardProgress& progress, const std::optional<StandingEntry>& expected)
{
    CardOutcome outcome;
    outcome.rootPath = listed.rootPath;
    // Every check is made before the label: a card that is refused comes away as it was.
    // A card taken out leaves its mount folder behind, on the computer's own disk: never write there.
    if (!goOn(progress, CardStep::Checking) || !drives.isStillMounted(listed, outcome.rootPath) ||
        FileSystem::entryAt(outcome.rootPath).kind != FileSystem::Entry::Kind::Folder)
        return outcome;
    if (drives.isReadOnly(outcome.rootPath)) {
        outcome.result = CardOutcome::Result::ReadOnly;
        return outcome;
    }
    if (!hasRoom(outcome.rootPath)) {
        outcome.result = CardOutcome::Result::Full;
        return outcome;
    }
    if (!goOn(progress, CardStep::Folder))
        return outcome;
    if ((outcome.folderProblem = cardFolderProblem(outcome.rootPath + cardFolderName, outcome.rootPath)))
        return outcome;

    if (!goOn(progress, CardStep::Labelling))
        return outcome;
    outcome.rootPath = drives.setVolumeLabel(outcome.rootPath, QString::fromLatin1(cardVolumeLabel));

    // From here on every step is taken in the card's root folder, opened once where the label left the card and
    // proven to be the mounted volume's: a path would lead to the computer's own disk once the card is gone.
    if (!goOn(progress, CardStep::Checking))
        return outcome;
    const FileSystem::Folder root = FileSystem::Folder::volumeRoot(outcome.rootPath);
    const auto cardThere = [&] { return drives.holdsRoot(listed, outcome.rootPath, root); };
    if (!cardThere())
        return outcome;

    if (!goOn(progress, CardStep::Folder))
        return outcome;
    const EnteredFolder folder = enterCardFolder(root, cardThere);
    if (!folder.folder.isOpen()) {
        outcome.folderProblem = folder.problem;
        if (!folder.problem)
            outcome.result = CardOutcome::Result::Removed;
        return outcome;
    }
    outcome.folder = outcome.rootPath + cardFolderName;

    outcome.identifier = createAcceptableIdentifier();
    const ParameterFileInput input = parameterFileInput(values, outcome.identifier);
    outcome.fileName = input.fileName;
    const EncodedParameterFile encoded = encodeParameterFile(input);

    const DurableWrite write = writeDurably(
        folder.folder, outcome.fileName, encoded.header + encoded.body,
        [&progress] { return goOn(progress, CardStep::Writing); }, expected, cardThere);
    outcome.reason = write.reason;
    outcome.cardChanged = write.changed;
    switch (write.result) {
    case DurableWrite::Result::Written:
        outcome.result = CardOutcome::Result::Written;
        break;
    case DurableWrite::Result::NotWritten:
        // A card pulled out fails the write as it goes (an I/O error), or its last look before the file went live.
        outcome.result = write.gone || (!write.changed && !cardThere()) ? CardOutcome::Result::Removed
                                                                        : CardOutcome::Result::NotWritten;
        break;
    case DurableWrite::Result::Unconfirmed:
        outcome.result = CardOutcome::Result::Unconfirmed;
        break;
    }
    return outcome;
}

std::optional<CardOutcome>
writeParameterFileWatched(const FormValues& values, const MountedVolume& listed, std::shared_ptr<DrivePlatform> drives,
                          const DetachedWork::Pump& pump, std::chrono::milliseconds silenceLimit,
                          const std::optional<StandingEntry>& expected, std::shared_ptr<const void> heldWhileWriting)
{
    // The thread holds the form, the volume, the platform and what is held for it: the caller may be gone when it ends.
    DetachedTask<CardOutcome> write(
        [values, listed, drives, expected, heldWhileWriting](const DetachedWork::Liveness& liveness) mutable {
            CardOutcome outcome = writeParameterFileToCard(
                values, listed, *drives,
                [&liveness](CardStep step) {
                    return liveness.answered(step == CardStep::Labelling ? TimeLimits::label
                                                                         : std::chrono::milliseconds(0));
                },
                expected);
            // Let go before the outcome is handed over, so that a caller that has it holds the last reference.
            heldWhileWriting.reset();
            return outcome;
        });
    return write.waitWhile(silenceLimit, pump);
}
