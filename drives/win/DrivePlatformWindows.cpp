#include "base/FilesWindows.h"
#include "base/WideText.h"
#include "drives/DrivePlatform.h"
#include "drives/win/DeviceIdentityWindows.h"
#include "drives/win/VolumesWindows.h"

#include <QStorageInfo>

#include <algorithm>

namespace {
class DrivePlatformWindows : public DrivePlatform
{
public:
    QVector<MountedVolume> mountedVolumes() const override
    {
        QVector<MountedVolume> result;
        const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
        for (const QStorageInfo& volume : volumes) {
            const QString rootPath = volume.rootPath();
            MountedVolume listed;
            listed.rootPath = rootPath;
            listed.name = volume.name();
            listed.readOnly = volume.isReadOnly();
            listed.removable = isRemovableDriveRoot(wide(rootPath));
            // QStorageInfo read these with the volume's name already.
            listed.capacity = quint64(qMax<qint64>(volume.bytesTotal(), 0));
            listed.fileSystem = QString::fromLatin1(volume.fileSystemType());
            // Only a card's device is asked who it is: a network drive's answer could keep the list waiting.
            StorageIdentity identity;
            if (listed.removable && queryStorageIdentity(wide(rootPath), identity) == 0) {
                listed.reader = QString::fromStdWString(identity.vendor + L' ' + identity.product).simplified();
                listed.serial = QString::fromStdWString(identity.serial);
            }
            std::wstring location;
            if (listed.removable && queryReaderLocation(wide(rootPath), location) == 0)
                listed.readerId = QString::fromStdWString(location);
            result.append(listed);
        }
        return result;
    }

    QVector<CardReader> cardReaders() const override
    {
        // A reader's slot keeps its drive letter while it is empty: every removable drive letter is a slot.
        QVector<CardReader> readers;
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const QString rootPath = QLatin1Char(letter) + QStringLiteral(":/");
            std::wstring location;
            if (!isRemovableDriveRoot(wide(rootPath)) || queryReaderLocation(wide(rootPath), location) != 0)
                continue;
            CardReader reader{QString::fromStdWString(location), QString()};
            if (std::any_of(readers.cbegin(), readers.cend(),
                            [&](const CardReader& one) { return one.id == reader.id; }))
                continue;
            StorageIdentity identity;
            if (queryStorageIdentity(wide(rootPath), identity) == 0)
                reader.model = QString::fromStdWString(identity.vendor + L' ' + identity.product).simplified();
            readers.append(reader);
        }
        return readers;
    }

    std::optional<MountedVolume> volumeAt(const QString& rootPath) const override
    {
        // A drive letter stays when its card is taken out: the reader must still be removable and hold a volume.
        if (!isRemovableDriveRoot(wide(rootPath)) || !hasVolume(wide(rootPath)))
            return std::nullopt;
        return DrivePlatform::volumeAt(rootPath);
    }

    QString setVolumeLabel(const QString& rootPath, const QString& label) override
    {
        setVolumeLabelOnRoot(wide(rootPath), wide(label));
        return rootPath;
    }

    EjectOutcome ejectCard(const QString& rootPath) override
    {
        EjectOutcome outcome;
        const unsigned long error = ejectVolume(wide(rootPath));
        if (error == 0)
            outcome.result = EjectOutcome::Result::Ejected;
        else
            outcome.reason = QString::fromStdWString(systemMessage(error)).trimmed();
        return outcome;
    }
};
} // namespace

std::unique_ptr<DrivePlatform> createNativeDrivePlatform()
{
    return std::make_unique<DrivePlatformWindows>();
}
