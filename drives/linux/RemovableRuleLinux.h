#pragma once

#include "drives/DrivePlatform.h"

#include <QString>

// Which block devices count as SD cards: what Windows reports as a removable drive (DRIVE_REMOVABLE).
// Decided from sysfs alone, so that no mounted file system is ever touched.
namespace RemovableRuleLinux {
// True when the block device MAJ:MIN, or the whole disk it is a partition of, is a card the user takes out:
// a disk with removable media (a USB card reader or stick) that is not an optical drive, or an SD card in an
// MMC slot (built-in readers report their media as fixed). Internal and USB hard disks, eMMC, NVMe, loop and
// device-mapper devices, and anything that is not a block device are not.
bool isRemovableDevice(const QString& sysfsRoot, quint32 major, quint32 minor);
} // namespace RemovableRuleLinux

// What sysfs tells of the block device MAJ:MIN: its size, the vendor and model of the disk that holds it (a USB
// card reader names itself there), the serial number of the card (an SD slot) or of the USB device that holds it, the
// disk's name and, for a loop device, its image file. Empty or 0 where sysfs has nothing.
struct BlockDeviceFacts
{
    quint64 capacity = 0; // bytes
    QString reader;
    QString serial;
    QString diskName;    // "sdb", "mmcblk0", "loop0"
    QString backingFile; // a loop device's image
    // The reader that holds the disk: the USB device's port path ("pci-0000:00:14.0-usb-0:2", "usb-1-2" without a PCI
    // controller), a loop device's image ("loop:/path/card.img"), else the sysfs path of the controller that holds the
    // card ("path-platform/fe320000.mmc/mmc_host/mmc0"). The same for every slot of a reader.
    QString readerId;
};
namespace RemovableRuleLinux {
BlockDeviceFacts describeDevice(const QString& sysfsRoot, quint32 major, quint32 minor);
// The readers of removable disks present now (those isRemovableDevice takes), with or without a card, each once.
QVector<CardReader> removableReaders(const QString& sysfsRoot);
} // namespace RemovableRuleLinux
