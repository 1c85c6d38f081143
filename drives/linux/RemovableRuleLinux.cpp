#include "drives/linux/RemovableRuleLinux.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {
// Names are told by their shape, without a regular expression: the drive list is filled as the window is made, and
// the first expression would load and run the expression compiler before the window's first paint.
bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
}

// "0000:00:14.0": how sysfs names a PCI device's folder.
bool isPciAddress(const QString& name)
{
    const QLatin1String shape("xxxx:xx:xx.x"); // x: a hexadecimal digit in lower case
    if (name.size() != shape.size())
        return false;
    for (int i = 0; i < name.size(); ++i) {
        if (shape[i] == QLatin1Char('x') ? !isHexDigit(name.at(i)) : name.at(i) != shape[i])
            return false;
    }
    return true;
}

// "mmcblk0": the disk of an MMC or SD card slot.
bool isMmcDisk(const QString& name)
{
    const QLatin1String prefix("mmcblk");
    return name.size() > prefix.size() && name.startsWith(prefix) &&
           std::all_of(name.cbegin() + prefix.size(), name.cend(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

QByteArray readAttribute(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().trimmed();
}

// The sysfs directory of the block device MAJ:MIN; empty when MAJ:MIN is no block device.
QString deviceDirectory(const QString& sysfsRoot, quint32 major, quint32 minor)
{
    const QString link =
        sysfsRoot + QStringLiteral("/dev/block/") + QString::number(major) + QLatin1Char(':') + QString::number(minor);
    // dev/block/MAJ:MIN links into devices/.../block/<disk>[/<partition>]
    return QFileInfo(link).canonicalFilePath();
}

// The sysfs directory of the whole disk that holds MAJ:MIN; empty when MAJ:MIN is no block device.
QString wholeDiskDirectory(const QString& sysfsRoot, quint32 major, quint32 minor)
{
    QString device = deviceDirectory(sysfsRoot, major, minor);
    if (device.isEmpty())
        return {};
    if (QFileInfo::exists(device + QStringLiteral("/partition")))
        return QFileInfo(device).path();
    return device;
}

// The serial number nearest to the disk among the devices that hold it: an SD card's own (its slot's card directory),
// or the USB device's, which is where udev takes ID_SERIAL_SHORT from. The walk ends at the USB device, so a hub's or
// a controller's number is never taken for the card's.
QString serialNumber(const QString& disk)
{
    QString directory = QFileInfo(disk).path();
    for (int depth = 0; depth < 16 && QFileInfo(directory).fileName() != QLatin1String("devices"); ++depth) {
        const QByteArray serial = readAttribute(directory + QStringLiteral("/serial"));
        if (!serial.isEmpty())
            return QString::fromUtf8(serial).simplified();
        if (QFileInfo::exists(directory + QStringLiteral("/idVendor")))
            break;
        const QString parent = QFileInfo(directory).path();
        if (parent == directory)
            break;
        directory = parent;
    }
    return {};
}

QString readerIdentity(const QString& sysfsRoot, const QString& disk, const QString& backingFile)
{
    if (!backingFile.isEmpty())
        return QStringLiteral("loop:") + backingFile;
    // The USB device nearest to the disk is the reader (its slots are disks of one device); its port path names it.
    QString usbPort;
    QString directory = QFileInfo(disk).path();
    for (int depth = 0; depth < 32 && QFileInfo(directory).fileName() != QLatin1String("devices"); ++depth) {
        const QString name = QFileInfo(directory).fileName();
        if (!usbPort.isEmpty() && isPciAddress(name))
            return QStringLiteral("pci-%1-usb-0:%2").arg(name, usbPort.mid(usbPort.indexOf(QLatin1Char('-')) + 1));
        if (usbPort.isEmpty() && QFileInfo::exists(directory + QStringLiteral("/idVendor")) &&
            !name.startsWith(QLatin1String("usb")))
            usbPort = name;
        const QString parent = QFileInfo(directory).path();
        if (parent == directory)
            break;
        directory = parent;
    }
    if (!usbPort.isEmpty())
        return QStringLiteral("usb-") + usbPort;
    // Not on USB (a slot of the machine): the controller that holds the card, the card's own node left out.
    const QString card = QFileInfo(disk + QStringLiteral("/device")).canonicalFilePath();
    const QString devices = QFileInfo(sysfsRoot + QStringLiteral("/devices")).canonicalFilePath();
    if (card.isEmpty() || devices.isEmpty() || !card.startsWith(devices + QLatin1Char('/')))
        return {};
    return QStringLiteral("path-") + QFileInfo(card).path().mid(devices.size() + 1);
}

bool isSdCardSlot(const QString& disk)
{
    if (!isMmcDisk(QFileInfo(disk).fileName()))
        return false;
    // The card type tells SD cards from soldered eMMC ("MMC") on the same kind of controller.
    const QByteArray type = readAttribute(disk + QStringLiteral("/device/type"));
    return type == "SD" || type == "SDcombo";
}
} // namespace

bool RemovableRuleLinux::isRemovableDevice(const QString& sysfsRoot, quint32 major, quint32 minor)
{
    if (major == 0)
        return false;
    const QString disk = wholeDiskDirectory(sysfsRoot, major, minor);
    if (disk.isEmpty())
        return false;
    if (isSdCardSlot(disk))
        return true;
    // Optical drives have removable media too, but Windows reports them as CD-ROM drives.
    if (QFileInfo(disk).fileName().startsWith(QLatin1String("sr")))
        return false;
    return readAttribute(disk + QStringLiteral("/removable")) == "1";
}

BlockDeviceFacts RemovableRuleLinux::describeDevice(const QString& sysfsRoot, quint32 major, quint32 minor)
{
    BlockDeviceFacts facts;
    const QString device = deviceDirectory(sysfsRoot, major, minor);
    if (device.isEmpty())
        return facts;
    // sysfs counts in sectors of 512 bytes, whatever the device's own sector size.
    facts.capacity = readAttribute(device + QStringLiteral("/size")).toULongLong() * 512;
    const QString disk = QFileInfo::exists(device + QStringLiteral("/partition")) ? QFileInfo(device).path() : device;
    facts.reader = QString::fromUtf8(readAttribute(disk + QStringLiteral("/device/vendor")) + ' ' +
                                     readAttribute(disk + QStringLiteral("/device/model")))
                       .simplified();
    facts.serial = serialNumber(disk);
    facts.diskName = QFileInfo(disk).fileName();
    facts.backingFile = QString::fromUtf8(readAttribute(disk + QStringLiteral("/loop/backing_file")));
    facts.readerId = readerIdentity(sysfsRoot, disk, facts.backingFile);
    return facts;
}

QVector<CardReader> RemovableRuleLinux::removableReaders(const QString& sysfsRoot)
{
    QVector<CardReader> readers;
    // dev/block holds every block device as "MAJ:MIN"; a reader's empty slot is a disk of no size, a reader all the
    // same. A partition's disk is looked at as its own entry.
    const QStringList devices = QDir(sysfsRoot + QStringLiteral("/dev/block"))
                                    .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& device : devices) {
        const QStringList number = device.split(QLatin1Char(':'));
        const quint32 major = number.value(0).toUInt();
        const quint32 minor = number.value(1).toUInt();
        if (number.size() != 2 ||
            QFileInfo::exists(deviceDirectory(sysfsRoot, major, minor) + QStringLiteral("/partition")) ||
            !isRemovableDevice(sysfsRoot, major, minor))
            continue;
        const BlockDeviceFacts facts = describeDevice(sysfsRoot, major, minor);
        const bool listed = std::any_of(readers.cbegin(), readers.cend(),
                                        [&](const CardReader& reader) { return reader.id == facts.readerId; });
        if (!facts.readerId.isEmpty() && !listed)
            readers.append({facts.readerId, facts.reader});
    }
    return readers;
}
