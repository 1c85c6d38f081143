#include "drives/LinuxDrivePlatform.h"

#include "drives/LinuxMountTable.h"
#include "drives/LinuxRemovableRule.h"
#include "drives/UDisksLabeller.h"

#include <QSet>
#include <QStorageInfo>

namespace {
// A later mount on the same mount point hides this one: its path reaches the other file system.
bool isCovered(const QVector<MountEntry>& entries, const MountEntry& entry)
{
    for (const MountEntry& other : entries) {
        if (other.parentId == entry.mountId && other.mountPoint == entry.mountPoint)
            return true;
    }
    return false;
}

quint64 deviceNumber(const MountEntry& entry)
{
    return (quint64(entry.major) << 32) | entry.minor;
}
} // namespace

LinuxDrivePlatform::LinuxDrivePlatform(const QString& sysfsRoot, const QString& mountTable)
    : sysfsRoot(sysfsRoot), mountTable(mountTable)
{}

QVector<MountedVolume> LinuxDrivePlatform::mountedVolumes() const
{
    const QVector<MountEntry> entries = LinuxMountTable::read(mountTable);
    QVector<MountedVolume> volumes;
    volumes.reserve(entries.size());
    QSet<quint64> listedCards;
    for (const MountEntry& entry : entries) {
        MountedVolume volume;
        volume.rootPath = entry.mountPoint;
        // The mount table carries the flags that statvfs would report, without asking the file system.
        volume.readOnly = entry.readOnly;
        // A card is offered once, at its first reachable mount of the whole file system: a bind mount of the
        // same card elsewhere would be the same card twice in the list, and a mounted subdirectory is not the
        // card's root, where the parameter file belongs.
        const bool offered = entry.root == QLatin1String("/") && !listedCards.contains(deviceNumber(entry)) &&
                             LinuxRemovableRule::isRemovableDevice(sysfsRoot, entry.major, entry.minor) &&
                             !isCovered(entries, entry);
        if (offered) {
            listedCards.insert(deviceNumber(entry));
            volume.removable = true;
            // Only now is the file system itself asked: a card's label comes from its block device.
            volume.name = QStorageInfo(entry.mountPoint).name();
        }
        volumes.append(volume);
    }
    return volumes;
}

bool LinuxDrivePlatform::isReadOnly(const QString& rootPath) const
{
    const QVector<MountEntry> entries = LinuxMountTable::read(mountTable);
    for (const MountEntry& entry : entries) {
        if (entry.mountPoint == rootPath && !isCovered(entries, entry))
            return entry.readOnly;
    }
    return DrivePlatform::isReadOnly(rootPath);
}

QString LinuxDrivePlatform::setVolumeLabel(const QString& rootPath, const QString& label)
{
    // The bus is reached only when a card is labelled, never while the window starts.
    return UDisksLabeller(QDBusConnection::systemBus(), mountTable).relabel(rootPath, label);
}

std::unique_ptr<DrivePlatform> createNativeDrivePlatform()
{
    return std::make_unique<LinuxDrivePlatform>();
}
