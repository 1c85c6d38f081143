#include "generation/CardWriter.h"

#include "base/FileSystem.h"
#include "generation/DurableFile.h"
#include "parameterfile/Identifier.h"
#include "parameterfile/ParameterFile.h"

#include <QDir>

namespace {
const QString cardFolderName = QLatin1Char('/') + QLatin1String(ParameterFile::cardFolderName);

// Goes on unless the caller stops the write.
bool goOn(const CardProgress& progress, CardStep step)
{
    return !progress || progress(step);
}

// Why the card folder was not entered: what is wrong with it, or nothing when the card has gone (a drive without its
// medium) or the caller stopped the write.
struct FolderNotEntered
{
    std::optional<CardFolderProblem> problem;
};

std::optional<FolderNotEntered> refused(CardFolderProblem::Kind kind, const QString& reason = QString())
{
    return FolderNotEntered{CardFolderProblem{kind, reason}};
}

// Enters the card folder at folder, creating it when missing. Returns why not when it is not a real folder on the
// card itself, or when the caller stopped the write.
std::optional<FolderNotEntered> enterCardFolder(const QString& folder, const QString& rootPath,
                                                const CardProgress& progress)
{
    using Kind = FileSystem::Entry::Kind;
    FileSystem::Entry entry = FileSystem::entryAt(folder);
    if (entry.kind == Kind::Missing) {
        if (!goOn(progress, CardStep::Folder))
            return FolderNotEntered{};
        // mkdir refuses an existing entry (a link, a file), so only a missing folder is made here.
        if (const std::optional<QString> reason = FileSystem::makeFolder(folder)) {
            // A drive without its medium has no root to make the folder in: that is a card not found, no more.
            if (FileSystem::entryAt(rootPath).kind != Kind::Folder)
                return FolderNotEntered{};
            return refused(CardFolderProblem::Kind::Unusable, *reason);
        }
        entry = FileSystem::entryAt(folder);
    }
    switch (entry.kind) {
    case Kind::Folder:
        if (FileSystem::isFolderOnVolume(folder, rootPath))
            return std::nullopt;
        return refused(CardFolderProblem::Kind::OnAnotherDrive);
    case Kind::RegularFile:
        return refused(CardFolderProblem::Kind::IsFile);
    case Kind::Link:
        return refused(CardFolderProblem::Kind::IsLink);
    case Kind::Other:
        return refused(CardFolderProblem::Kind::IsOther, entry.description);
    case Kind::Missing:
    case Kind::Unreadable:
        break;
    }
    return refused(CardFolderProblem::Kind::Unusable, entry.reason);
}

} // namespace

CardOutcome writeParameterFileToCard(const FormValues& values, const MountedVolume& listed, DrivePlatform& drives,
                                     const CardProgress& progress, const std::optional<StandingEntry>& expected)
{
    CardOutcome outcome;
    outcome.rootPath = listed.rootPath;
    // A card taken out leaves its mount folder behind, on the computer's own disk: never write there.
    if (!goOn(progress, CardStep::Checking) || !drives.isStillMounted(listed, outcome.rootPath))
        return outcome;

    if (!goOn(progress, CardStep::Labelling))
        return outcome;
    outcome.rootPath = drives.setVolumeLabel(outcome.rootPath, QString::fromLatin1(cardVolumeLabel));
    if (!goOn(progress, CardStep::Checking) || !drives.isStillMounted(listed, outcome.rootPath))
        return outcome;

    if (drives.isReadOnly(outcome.rootPath)) {
        outcome.result = CardOutcome::Result::ReadOnly;
        return outcome;
    }

    if (!goOn(progress, CardStep::Folder))
        return outcome;
    const QString folder = outcome.rootPath + cardFolderName;
    if (const std::optional<FolderNotEntered> notEntered = enterCardFolder(folder, outcome.rootPath, progress)) {
        outcome.folderProblem = notEntered->problem;
        return outcome;
    }
    outcome.folder = folder;

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
    const DurableWrite write = writeDurably(
        outcome.folder + QLatin1Char('/') + outcome.fileName, encoded.header + encoded.body,
        [&progress] { return goOn(progress, CardStep::Writing); }, expected);
    outcome.reason = write.reason;
    outcome.cardChanged = write.changed;
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
