#include "generation/CardWriter.h"

#include "drives/FileSystem.h"
#include "generation/DurableFile.h"
#include "generation/Identifier.h"
#include "generation/ParameterFile.h"

#include <QDir>

namespace {
const QString volumeLabel = QStringLiteral("Orva Config");
constexpr int volumeLabelLength = 11;
const QString cardFolderName = QLatin1Char('/') + QLatin1String(ParameterFile::cardFolderName);

// Goes on unless the caller stops the write.
bool goOn(const CardProgress& progress, CardStep step)
{
    return !progress || progress(step);
}

// The card folder, created when missing; a null string when it is not a real folder on the card itself (problem then
// says why), or when the caller stopped the write.
QString enterCardFolder(const QString& rootPath, const CardProgress& progress,
                        std::optional<CardFolderProblem>& problem)
{
    using Kind = FileSystem::Entry::Kind;
    const QString folder = rootPath + cardFolderName;
    FileSystem::Entry entry = FileSystem::entryAt(folder);
    if (entry.kind == Kind::Missing) {
        if (!goOn(progress, CardStep::Folder))
            return QString();
        // mkdir refuses an existing entry (a link, a file), so only a missing folder is made here.
        if (const std::optional<QString> reason = FileSystem::makeFolder(folder)) {
            // A drive without its medium has no root to make the folder in: that is a card not found, no more.
            if (FileSystem::entryAt(rootPath).kind == Kind::Folder)
                problem = CardFolderProblem{CardFolderProblem::Kind::Unusable, *reason};
            return QString();
        }
        entry = FileSystem::entryAt(folder);
    }
    switch (entry.kind) {
    case Kind::Folder:
        if (FileSystem::isFolderOnVolume(folder, rootPath))
            return folder;
        problem = CardFolderProblem{CardFolderProblem::Kind::OnAnotherDrive, QString()};
        break;
    case Kind::RegularFile:
        problem = CardFolderProblem{CardFolderProblem::Kind::IsFile, QString()};
        break;
    case Kind::Link:
        problem = CardFolderProblem{CardFolderProblem::Kind::IsLink, QString()};
        break;
    case Kind::Other:
        problem = CardFolderProblem{CardFolderProblem::Kind::IsOther, entry.description};
        break;
    case Kind::Missing:
    case Kind::Unreadable:
        problem = CardFolderProblem{CardFolderProblem::Kind::Unusable, entry.reason};
        break;
    }
    return QString();
}

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
    outcome.folder = enterCardFolder(outcome.rootPath, progress, outcome.folderProblem);
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
                                                     std::shared_ptr<DrivePlatform> drives,
                                                     const DetachedWork::Pump& pump,
                                                     std::chrono::milliseconds silenceLimit)
{
    // The thread holds the form, the volume and the platform: the caller may be gone when it ends.
    DetachedTask<CardOutcome> write([values, listed, drives](const DetachedWork::Liveness& liveness) {
        return writeParameterFileToCard(values, listed, *drives, [&liveness](CardStep step) {
            return liveness.answered(step == CardStep::Labelling ? TimeLimits::label : std::chrono::milliseconds(0));
        });
    });
    return write.waitWhile(silenceLimit, pump);
}
