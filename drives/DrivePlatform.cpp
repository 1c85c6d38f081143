#include "drives/DrivePlatform.h"

#include <QStorageInfo>

#include <algorithm>

std::optional<MountedVolume> DrivePlatform::volumeAt(const QString& rootPath) const
{
    const QVector<MountedVolume> volumes = mountedVolumes();
    for (const MountedVolume& volume : volumes) {
        if (volume.removable && volume.rootPath == rootPath)
            return volume;
    }
    return std::nullopt;
}

bool DrivePlatform::isReadOnly(const QString& rootPath) const
{
    return QStorageInfo(rootPath).isReadOnly();
}

QString DrivePlatform::setVolumeLabel(const QString& rootPath, const QString&)
{
    return rootPath;
}

EjectOutcome DrivePlatform::ejectCard(const QString&)
{
    return {};
}

QVector<CardReader> DrivePlatform::cardReaders() const
{
    QVector<CardReader> readers;
    const QVector<MountedVolume> volumes = mountedVolumes();
    for (const MountedVolume& volume : volumes) {
        const bool listed = std::any_of(readers.cbegin(), readers.cend(),
                                        [&](const CardReader& reader) { return reader.id == volume.readerId; });
        if (volume.removable && !volume.readerId.isEmpty() && !listed)
            readers.append({volume.readerId, volume.reader});
    }
    return readers;
}

bool DrivePlatform::isStillMounted(const MountedVolume& listed, const QString& root) const
{
    const std::optional<MountedVolume> now = volumeAt(root);
    return now && now->device == listed.device;
}

bool DrivePlatform::holdsRoot(const MountedVolume& listed, const QString& root, const FileSystem::Folder& opened) const
{
    // A platform that tells no device (0) is known by the mount and the folder alone.
    return opened.isOpen() && isStillMounted(listed, root) && opened.isAt(root) &&
           (listed.device == 0 || opened.device() == listed.device);
}
