#include "drives/linux/DrivePlatformLinux.h"

#include "base/DetachedTask.h"
#include "drives/linux/MountTableLinux.h"
#include "drives/linux/RemovableRuleLinux.h"
#include "drives/linux/UDisksLabeller.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStorageInfo>

#include <memory>

#include <sys/stat.h>
#include <sys/sysmacros.h>

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

// udev writes a byte that a file name cannot hold, or that would mislead a shell, as "\xHH".
QString decodeUdevName(const QString& name)
{
    QByteArray bytes = QFile::encodeName(name);
    QByteArray decoded;
    decoded.reserve(bytes.size());
    for (int i = 0; i < bytes.size(); ++i) {
        bool ok = false;
        const int value = i + 3 < bytes.size() && bytes.at(i) == '\\' && bytes.at(i + 1) == 'x'
                              ? bytes.mid(i + 2, 2).toInt(&ok, 16)
                              : 0;
        if (ok) {
            decoded.append(char(value));
            i += 3;
        } else {
            decoded.append(bytes.at(i));
        }
    }
    return QString::fromUtf8(decoded);
}

// The label of a block device as udev published it: /dev/disk/by-label holds one link per labelled file system.
// Only the device nodes are looked at, never the mounted file system, so a card whose file system no longer
// answers (a hung FUSE server) is named as quickly as any other.
QString publishedLabel(const QString& byLabelFolder, quint32 major, quint32 minor)
{
    const QStringList names = QDir(byLabelFolder).entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        struct stat node;
        if (::stat(QFile::encodeName(byLabelFolder + QLatin1Char('/') + name).constData(), &node) == 0 &&
            S_ISBLK(node.st_mode) && node.st_rdev == makedev(major, minor))
            return decodeUdevName(name);
    }
    return QString();
}
} // namespace

DrivePlatformLinux::DrivePlatformLinux(const QString& sysfsRoot, const QString& mountTable,
                                       const QString& byLabelFolder)
    : sysfsRoot(sysfsRoot), mountTable(mountTable), byLabelFolder(byLabelFolder)
{}

QVector<MountedVolume> DrivePlatformLinux::mountedVolumes() const
{
    const QVector<MountEntry> entries = MountTableLinux::read(mountTable);
    QVector<MountedVolume> volumes;
    volumes.reserve(entries.size());
    QSet<quint64> listedCards;
    for (const MountEntry& entry : entries) {
        MountedVolume volume;
        volume.rootPath = entry.mountPoint;
        volume.device = deviceNumber(entry);
        // The mount table carries the flags that statvfs would report, without asking the file system.
        volume.readOnly = entry.readOnly;
        // A card is offered once, at its first reachable mount of the whole file system: a bind mount of the
        // same card elsewhere would be the same card twice in the list, and a mounted subdirectory is not the
        // card's root, where the parameter file belongs.
        const bool offered = entry.root == QLatin1String("/") && !listedCards.contains(deviceNumber(entry)) &&
                             RemovableRuleLinux::isRemovableDevice(sysfsRoot, entry.major, entry.minor) &&
                             !isCovered(entries, entry);
        if (offered) {
            listedCards.insert(deviceNumber(entry));
            volume.removable = true;
            volume.name = publishedLabel(byLabelFolder, entry.major, entry.minor);
            volume.fileSystem = entry.fileSystemType;
            const BlockDeviceFacts facts = RemovableRuleLinux::describeDevice(sysfsRoot, entry.major, entry.minor);
            volume.capacity = facts.capacity;
            volume.reader = facts.reader;
            volume.serial = facts.serial;
            volume.deviceName = facts.diskName;
            volume.backingFile = facts.backingFile;
            volume.readerId = facts.readerId;
        }
        volumes.append(volume);
    }
    return volumes;
}

QVector<CardReader> DrivePlatformLinux::cardReaders() const
{
    return RemovableRuleLinux::removableReaders(sysfsRoot);
}

bool DrivePlatformLinux::isReadOnly(const QString& rootPath) const
{
    const QVector<MountEntry> entries = MountTableLinux::read(mountTable);
    for (const MountEntry& entry : entries) {
        if (entry.mountPoint == rootPath && !isCovered(entries, entry))
            return entry.readOnly;
    }
    return DrivePlatform::isReadOnly(rootPath);
}

QString DrivePlatformLinux::setVolumeLabel(const QString& rootPath, const QString& label)
{
    // The bus is reached only when a card is labelled, never while the window starts. Past its time the label is
    // skipped, as when UDisks2 is missing.
    auto result = std::make_shared<QString>(rootPath);
    if (!askDiskService(int(TimeLimits::label.count()),
                        [=](UDisksLabeller& service) { *result = service.relabel(rootPath, label); }))
        return rootPath;
    return *result;
}

EjectOutcome DrivePlatformLinux::ejectCard(const QString& rootPath)
{
    auto result = std::make_shared<EjectOutcome>();
    if (!askDiskService(int(TimeLimits::eject.count()),
                        [=](UDisksLabeller& service) { *result = service.eject(rootPath); })) {
        EjectOutcome silent;
        silent.reason = QStringLiteral("The disk service (UDisks2) did not answer.");
        return silent;
    }
    return *result;
}

bool DrivePlatformLinux::askDiskService(int timeLimitMs, const std::function<void(UDisksLabeller&)>& work) const
{
    // Connecting waits without end for a bus that takes the connection but does not answer (a stopped dbus-daemon), so
    // the whole exchange runs on a thread of its own: a bus that has not taken the connection within its limit is given
    // up. The client's deadline keeps a connection that comes through late from touching the card afterwards.
    const QDeadlineTimer deadline(timeLimitMs);
    DetachedTask<bool> job([=, table = mountTable](const DetachedWork::Liveness& liveness) {
        const QDBusConnection bus = QDBusConnection::systemBus();
        // Connected: the client's last call ends by the deadline, and the margin covers the return from it.
        if (!liveness.answered(std::chrono::milliseconds(deadline.remainingTime()) + TimeLimits::diskServiceMargin))
            return false;
        UDisksLabeller service(bus, table);
        service.setDeadline(deadline);
        work(service);
        return true;
    });
    return job.waitWhile(TimeLimits::busConnect).value_or(false);
}

std::unique_ptr<DrivePlatform> createNativeDrivePlatform()
{
    return std::make_unique<DrivePlatformLinux>();
}
