#include "generation/CardWriter.h"

#include "drives/FileSystem.h"
#include "generation/DurableFile.h"
#include "generation/Identifier.h"
#include "generation/ParameterFile.h"

#include <QDir>

namespace {
const QString volumeLabel = QStringLiteral("Orva Config");
constexpr int volumeLabelLength = 11;
const QString cardFolderName = QStringLiteral("/02");

// The card folder, created when missing; a null string when it is not a real folder on the card itself.
QString enterCardFolder(const QString& rootPath)
{
    const QString folder = rootPath + cardFolderName;
    if (!FileSystem::isFolderOnVolume(folder, rootPath)) {
        // mkdir refuses an existing entry (a link, a file), so only a missing folder is made here.
        if (!QDir(rootPath).mkdir(folder) || !FileSystem::isFolderOnVolume(folder, rootPath))
            return QString();
    }
    return folder;
}
} // namespace

CardOutcome writeParameterFileToCard(const FormValues& values, const MountedVolume& listed, DrivePlatform& drives)
{
    CardOutcome outcome;
    outcome.rootPath = listed.rootPath;
    // A card taken out leaves its mount folder behind, on the computer's own disk: never write there.
    if (!drives.isStillMounted(listed, outcome.rootPath))
        return outcome;

    outcome.rootPath = drives.setVolumeLabel(outcome.rootPath, volumeLabel.left(volumeLabelLength));
    if (!drives.isStillMounted(listed, outcome.rootPath))
        return outcome;

    if (drives.isReadOnly(outcome.rootPath)) {
        outcome.result = CardOutcome::Result::ReadOnly;
        return outcome;
    }

    outcome.folder = enterCardFolder(outcome.rootPath);
    if (outcome.folder.isEmpty())
        return outcome;

    outcome.identifier = createAcceptableIdentifier();
    const ParameterFileInput input = parameterFileInput(values, outcome.identifier);
    outcome.fileName = input.fileName;
    const EncodedParameterFile encoded = encodeParameterFile(input);

    // The card was confirmed before the label; confirm it again now that the file is about to go onto it.
    if (!drives.isStillMounted(listed, outcome.rootPath) ||
        !FileSystem::isFolderOnVolume(outcome.folder, outcome.rootPath)) {
        outcome.result = CardOutcome::Result::CardNotFound;
        return outcome;
    }
    const DurableWrite write =
        writeDurably(outcome.folder + QLatin1Char('/') + outcome.fileName, encoded.header + encoded.body);
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
