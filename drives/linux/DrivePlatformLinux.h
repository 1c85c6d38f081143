#pragma once

#include "drives/DrivePlatform.h"

#include <functional>

class UDisksLabeller;

// The mounted volumes of a Linux machine, read from the mount table and sysfs. Only the volumes of SD cards are
// asked for their label, so a dead network or FUSE mount cannot stall the enumeration.
class DrivePlatformLinux : public DrivePlatform
{
public:
    // Tests point the paths at a made-up sysfs tree, mount table and folder of label links.
    explicit DrivePlatformLinux(const QString& sysfsRoot = QStringLiteral("/sys"),
                                const QString& mountTable = QStringLiteral("/proc/self/mountinfo"),
                                const QString& byLabelFolder = QStringLiteral("/dev/disk/by-label"));

    // Every mount in mount-table order. Cards are marked removable, named from their block device's published label and
    // flagged read-only; the other mounts carry their mount point and read-only flag but no name.
    QVector<MountedVolume> mountedVolumes() const override;
    // From sysfs: the readers of removable disks, a reader with no card in it too.
    QVector<CardReader> cardReaders() const override;
    // From the mount table for a mount point; other paths are asked of the file system.
    bool isReadOnly(const QString& rootPath) const override;
    // Through UDisks2 on the system bus, the desktop's own disk service: an ordinary user may not write to the
    // card's device, and a mounted FAT card is mounted again afterwards, usually at a new place.
    QString setVolumeLabel(const QString& rootPath, const QString& label) override;
    // Through UDisks2 as well: unmounts the card and powers its drive off where the drive can be.
    EjectOutcome ejectCard(const QString& rootPath) override;

private:
    // Runs work with a client of the disk service on a thread of its own (connecting to the system bus can wait without
    // end), within timeLimitMs. False when the bus or the service did not answer in time.
    bool askDiskService(int timeLimitMs, const std::function<void(UDisksLabeller& service)>& work) const;

    QString sysfsRoot;
    QString mountTable;
    QString byLabelFolder;
};
