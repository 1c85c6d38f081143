// The Linux drive enumeration over made-up sysfs trees and mount tables.
#include "drives/VolumeWatcher.h"
#include "drives/linux/DrivePlatformLinux.h"
#include "drives/linux/MountTableLinux.h"
#include "drives/linux/RemovableRuleLinux.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Builds a sysfs tree the way the kernel lays it out: the devices live under devices/.../block/<disk>[/<part>]
// and dev/block/MAJ:MIN are relative links to them.
class FakeSysfs
{
public:
    explicit FakeSysfs(const QString& root) : root(root) {}

    // A whole disk below devices/<parent>; returns its directory relative to the root.
    QString addDisk(const QString& parent, const QString& name, const QString& dev, const QByteArray& removable)
    {
        const QString disk = QStringLiteral("devices/") + parent + QStringLiteral("/block/") + name;
        writeFile(disk + QStringLiteral("/removable"), removable + '\n');
        addDevice(disk, dev);
        return disk;
    }

    // A partition of disk; partitions carry no removable attribute of their own.
    void addPartition(const QString& disk, const QString& name, const QString& dev)
    {
        const QString partition = disk + QLatin1Char('/') + name;
        writeFile(partition + QStringLiteral("/partition"), "1\n");
        addDevice(partition, dev);
    }

    // The card of an MMC disk (devices/.../mmc0/mmc0:aaaa/block/mmcblk0): <disk>/device links back to the card's
    // directory, which holds its type.
    void setCardType(const QString& disk, const QByteArray& type)
    {
        const QString card = QFileInfo(QFileInfo(disk).path()).path();
        writeFile(card + QStringLiteral("/type"), type + '\n');
        QVERIFY(QFile::link(QStringLiteral("../../../") + QFileInfo(card).fileName(),
                            root + QLatin1Char('/') + disk + QStringLiteral("/device")));
    }

    void writeFile(const QString& relativePath, const QByteArray& contents)
    {
        const QString path = root + QLatin1Char('/') + relativePath;
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

private:
    void addDevice(const QString& directory, const QString& dev)
    {
        writeFile(directory + QStringLiteral("/dev"), dev.toLatin1() + '\n');
        QVERIFY(QDir(root).mkpath(QStringLiteral("dev/block")));
        QVERIFY(QFile::link(QStringLiteral("../../") + directory, root + QStringLiteral("/dev/block/") + dev));
    }

    QString root;
};

QStringList rootPaths(const QVector<MountedVolume>& volumes, bool removable)
{
    QStringList paths;
    for (const MountedVolume& volume : volumes) {
        if (volume.removable == removable)
            paths.append(volume.rootPath);
    }
    return paths;
}

// The root file system line that every made-up table starts with.
const QByteArray rootLine = "27 1 8:2 / / rw,relatime - ext4 /dev/sda2 rw\n";
} // namespace

class TestLinuxDrives : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void removableRule_data();
    void removableRule();

    void decodeField_data();
    void decodeField();
    void malformedLinesAreSkipped();

    void mountedVolume_data();
    void mountedVolume();
    void cardsInMountTableOrder();
    void cardMountedTwiceIsListedOnce();
    void coveredCardIsNotListed();
    void readOnlyFromMountTable();
    void missingMountTableGivesNoVolumes();
    void deviceIdentity_data();
    void deviceIdentity();
    void readersOfTheMachine();
    void nativePlatformIsTheLinuxOne();
    void burstOfChangesIsToldOnce();

private:
    QVector<MountedVolume> volumesOf(const QByteArray& table);
    QString writeTable(const QByteArray& table);

    QTemporaryDir temporary;
    QString sysfs;
};

void TestLinuxDrives::initTestCase()
{
    QVERIFY(temporary.isValid());
    sysfs = temporary.filePath(QStringLiteral("sys"));
    FakeSysfs fake(sysfs);

    const QString ata = QStringLiteral("pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0");
    const QString sda = fake.addDisk(ata, QStringLiteral("sda"), QStringLiteral("8:0"), "0");
    fake.addPartition(sda, QStringLiteral("sda1"), QStringLiteral("8:1"));
    fake.addPartition(sda, QStringLiteral("sda2"), QStringLiteral("8:2"));

    // A USB card reader reports removable media; the second one holds a card without a partition table.
    const QString usbReader = QStringLiteral("pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/host6/target6:0:0/6:0:0:0");
    const QString sdb = fake.addDisk(usbReader, QStringLiteral("sdb"), QStringLiteral("8:16"), "1");
    fake.addPartition(sdb, QStringLiteral("sdb1"), QStringLiteral("8:17"));
    // The reader names itself on its disk and numbers itself on its USB device; the root hub has a number too.
    fake.writeFile(sdb + QStringLiteral("/device/vendor"), "Generic \n");
    fake.writeFile(sdb + QStringLiteral("/device/model"), "STORAGE DEVICE  \n");
    fake.writeFile(QStringLiteral("devices/pci0000:00/0000:00:14.0/usb1/1-2/idVendor"), "058f\n");
    fake.writeFile(QStringLiteral("devices/pci0000:00/0000:00:14.0/usb1/1-2/serial"), "058F63666485\n");
    fake.writeFile(QStringLiteral("devices/pci0000:00/0000:00:14.0/usb1/idVendor"), "1d6b\n");
    fake.writeFile(QStringLiteral("devices/pci0000:00/0000:00:14.0/usb1/serial"), "0000:00:14.0\n");
    fake.writeFile(sdb + QStringLiteral("/sdb1/size"), "15523840\n");
    const QString usbReader2 = QStringLiteral("pci0000:00/0000:00:14.0/usb1/1-3/1-3:1.0/host7/target7:0:0/7:0:0:0");
    fake.addDisk(usbReader2, QStringLiteral("sdc"), QStringLiteral("8:32"), "1");
    fake.writeFile(QStringLiteral("devices/pci0000:00/0000:00:14.0/usb1/1-3/idVendor"), "0bda\n");
    // The first reader's second slot, empty: a disk of its own on the same USB device.
    fake.addDisk(QStringLiteral("pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/host6/target6:0:0/6:0:0:1"),
                 QStringLiteral("sde"), QStringLiteral("8:64"), "1");

    const QString usbDisk = QStringLiteral("pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host8/target8:0:0/8:0:0:0");
    const QString sdd = fake.addDisk(usbDisk, QStringLiteral("sdd"), QStringLiteral("8:48"), "0");
    fake.addPartition(sdd, QStringLiteral("sdd1"), QStringLiteral("8:49"));

    // Built-in SD slots report their media as fixed; the card type tells them from eMMC.
    const QString sdSlot = QStringLiteral("pci0000:00/0000:00:1c.0/0000:02:00.0/mmc_host/mmc0/mmc0:aaaa");
    const QString mmcblk0 = fake.addDisk(sdSlot, QStringLiteral("mmcblk0"), QStringLiteral("179:0"), "0");
    fake.addPartition(mmcblk0, QStringLiteral("mmcblk0p1"), QStringLiteral("179:1"));
    fake.setCardType(mmcblk0, "SD");
    fake.writeFile(QStringLiteral("devices/") + sdSlot + QStringLiteral("/serial"), "0x1234abcd\n");
    const QString comboSlot = QStringLiteral("pci0000:00/0000:00:1c.1/0000:03:00.0/mmc_host/mmc1/mmc1:0001");
    const QString mmcblk1 = fake.addDisk(comboSlot, QStringLiteral("mmcblk1"), QStringLiteral("179:8"), "0");
    fake.setCardType(mmcblk1, "SDcombo");
    const QString emmc = QStringLiteral("platform/soc/7c4000.mmc/mmc_host/mmc2/mmc2:0001");
    const QString mmcblk2 = fake.addDisk(emmc, QStringLiteral("mmcblk2"), QStringLiteral("179:16"), "0");
    fake.addPartition(mmcblk2, QStringLiteral("mmcblk2p1"), QStringLiteral("179:17"));
    fake.setCardType(mmcblk2, "MMC");

    const QString optical = QStringLiteral("pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0");
    fake.addDisk(optical, QStringLiteral("sr0"), QStringLiteral("11:0"), "1");

    const QString nvme = QStringLiteral("pci0000:00/0000:00:1d.0/0000:04:00.0/nvme/nvme0");
    const QString nvme0n1 = fake.addDisk(nvme, QStringLiteral("nvme0n1"), QStringLiteral("259:0"), "0");
    fake.addPartition(nvme0n1, QStringLiteral("nvme0n1p2"), QStringLiteral("259:2"));

    const QString loop0 = fake.addDisk(QStringLiteral("virtual"), QStringLiteral("loop0"), QStringLiteral("7:0"), "0");
    fake.writeFile(loop0 + QStringLiteral("/loop/backing_file"), "/srv/cards/a card.img\n");
    fake.addDisk(QStringLiteral("virtual"), QStringLiteral("dm-0"), QStringLiteral("254:0"), "0");
}

void TestLinuxDrives::removableRule_data()
{
    QTest::addColumn<quint32>("major");
    QTest::addColumn<quint32>("minor");
    QTest::addColumn<bool>("removable");

    QTest::newRow("USB card reader, partition") << 8u << 17u << true;
    QTest::newRow("USB card reader, whole card") << 8u << 32u << true;
    QTest::newRow("SD slot, partition") << 179u << 1u << true;
    QTest::newRow("SD slot, whole card") << 179u << 0u << true;
    QTest::newRow("SDcombo card") << 179u << 8u << true;
    QTest::newRow("SATA disk, partition") << 8u << 1u << false;
    QTest::newRow("SATA disk, whole") << 8u << 0u << false;
    QTest::newRow("USB hard disk") << 8u << 49u << false;
    QTest::newRow("eMMC partition") << 179u << 17u << false;
    QTest::newRow("eMMC whole") << 179u << 16u << false;
    QTest::newRow("optical drive") << 11u << 0u << false;
    QTest::newRow("NVMe partition") << 259u << 2u << false;
    QTest::newRow("loop") << 7u << 0u << false;
    QTest::newRow("device mapper") << 254u << 0u << false;
    QTest::newRow("no block device") << 0u << 25u << false;
    QTest::newRow("device gone from sysfs") << 8u << 99u << false;
}

void TestLinuxDrives::removableRule()
{
    QFETCH(quint32, major);
    QFETCH(quint32, minor);
    QFETCH(bool, removable);
    QCOMPARE(RemovableRuleLinux::isRemovableDevice(sysfs, major, minor), removable);
}

void TestLinuxDrives::decodeField_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("decoded");

    QTest::newRow("plain") << QByteArray("/media/user/CARD") << QStringLiteral("/media/user/CARD");
    QTest::newRow("space") << QByteArray("/media/user/MY\\040CARD") << QStringLiteral("/media/user/MY CARD");
    QTest::newRow("tab, newline") << QByteArray("/mnt/a\\011b\\012c") << QStringLiteral("/mnt/a\tb\nc");
    QTest::newRow("backslash") << QByteArray("/mnt/a\\134040") << QStringLiteral("/mnt/a\\040");
    QTest::newRow("escape at the end") << QByteArray("/mnt/x\\040") << QStringLiteral("/mnt/x ");
    QTest::newRow("cut escape kept") << QByteArray("/mnt/x\\04") << QStringLiteral("/mnt/x\\04");
    QTest::newRow("UTF-8") << QByteArray("/media/user/K\xc3\xa4rtchen") << QStringLiteral("/media/user/K\u00e4rtchen");
}

void TestLinuxDrives::decodeField()
{
    QFETCH(QByteArray, field);
    QFETCH(QString, decoded);
    QCOMPARE(MountTableLinux::decodeField(field), decoded);
}

void TestLinuxDrives::malformedLinesAreSkipped()
{
    const QVector<MountEntry> entries = MountTableLinux::parse(rootLine + "garbage\n"
                                                                          "41 27 8:17 /media/user/CARD\n"
                                                                          "42 27 x:y / /mnt rw - ext4 /dev/x rw\n"
                                                                          "\n"
                                                                          "43 27 8:17 / /media/user/CARD rw,relatime "
                                                                          "shared:1 master:2 - vfat /dev/sdb1 ro\n");
    QCOMPARE(entries.size(), 2);
    const MountEntry& card = entries.at(1);
    QCOMPARE(card.mountId, 43);
    QCOMPARE(card.parentId, 27);
    QCOMPARE(card.major, 8u);
    QCOMPARE(card.minor, 17u);
    QCOMPARE(card.root, QStringLiteral("/"));
    QCOMPARE(card.mountPoint, QStringLiteral("/media/user/CARD"));
    QCOMPARE(card.fileSystemType, QStringLiteral("vfat"));
    QCOMPARE(card.source, QStringLiteral("/dev/sdb1"));
    QVERIFY(card.readOnly);
}

void TestLinuxDrives::mountedVolume_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("rootPath");
    QTest::addColumn<bool>("removable");
    QTest::addColumn<bool>("readOnly");

    const QString card = QStringLiteral("/media/user/CARD");
    QTest::newRow("USB card reader") << QByteArray("40 27 8:17 / /media/user/CARD rw,nosuid,nodev,relatime "
                                                   "shared:200 - vfat /dev/sdb1 rw,fmask=0022")
                                     << card << true << false;
    QTest::newRow("USB card reader, whole card")
        << QByteArray("40 27 8:32 / /media/user/CARD rw,relatime - exfat /dev/sdc rw") << card << true << false;
    QTest::newRow("SD slot, read-only mount")
        << QByteArray("40 27 179:1 / /media/user/CARD ro,relatime shared:7 - vfat /dev/mmcblk0p1 ro") << card << true
        << true;
    QTest::newRow("SD slot, whole card") << QByteArray("40 27 179:0 / /media/user/CARD rw - vfat /dev/mmcblk0 rw")
                                         << card << true << false;
    QTest::newRow("escaped mount point") << QByteArray("40 27 8:17 / /media/user/MY\\040CARD rw - vfat /dev/sdb1 rw")
                                         << QStringLiteral("/media/user/MY CARD") << true << false;
    QTest::newRow("read-only file system, writable mount")
        << QByteArray("40 27 8:17 / /media/user/CARD rw,relatime - vfat /dev/sdb1 ro,fmask=0022") << card << true
        << true;
    QTest::newRow("SATA partition") << QByteArray("40 27 8:1 / /boot/efi rw - vfat /dev/sda1 rw")
                                    << QStringLiteral("/boot/efi") << false << false;
    QTest::newRow("USB hard disk") << QByteArray("40 27 8:49 / /media/user/BACKUP rw - ext4 /dev/sdd1 rw")
                                   << QStringLiteral("/media/user/BACKUP") << false << false;
    QTest::newRow("eMMC") << QByteArray("40 27 179:17 / /data rw - ext4 /dev/mmcblk2p1 rw") << QStringLiteral("/data")
                          << false << false;
    QTest::newRow("optical disc") << QByteArray("40 27 11:0 / /media/user/DISC ro - iso9660 /dev/sr0 ro")
                                  << QStringLiteral("/media/user/DISC") << false << true;
    QTest::newRow("NVMe") << QByteArray("40 27 259:2 / /home rw - ext4 /dev/nvme0n1p2 rw") << QStringLiteral("/home")
                          << false << false;
    QTest::newRow("loop") << QByteArray("40 27 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro")
                          << QStringLiteral("/snap/core/1") << false << true;
    QTest::newRow("device mapper") << QByteArray("40 27 254:0 / /srv rw - ext4 /dev/mapper/vg-srv rw")
                                   << QStringLiteral("/srv") << false << false;
    QTest::newRow("tmpfs") << QByteArray("40 27 0:25 / /tmp rw,nosuid - tmpfs tmpfs rw") << QStringLiteral("/tmp")
                           << false << false;
    QTest::newRow("NFS") << QByteArray("40 27 0:50 / /net/share rw - nfs4 files.example.net:/share rw")
                         << QStringLiteral("/net/share") << false << false;
    QTest::newRow("FUSE") << QByteArray("40 27 0:60 / /mnt/remote rw - fuse.sshfs user@host.example.net: rw")
                          << QStringLiteral("/mnt/remote") << false << false;
    QTest::newRow("card subdirectory bound elsewhere")
        << QByteArray("40 27 8:17 /photos /mnt/photos rw - vfat /dev/sdb1 rw") << QStringLiteral("/mnt/photos") << false
        << false;
}

void TestLinuxDrives::mountedVolume()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, rootPath);
    QFETCH(bool, removable);
    QFETCH(bool, readOnly);

    const QVector<MountedVolume> volumes = volumesOf(rootLine + line + '\n');
    QCOMPARE(volumes.size(), 2);
    QCOMPARE(volumes.at(0).rootPath, QStringLiteral("/"));
    QVERIFY(!volumes.at(0).removable);
    const MountedVolume& volume = volumes.at(1);
    QCOMPARE(volume.rootPath, rootPath);
    QCOMPARE(volume.removable, removable);
    QCOMPARE(volume.readOnly, readOnly);
}

void TestLinuxDrives::cardsInMountTableOrder()
{
    const QVector<MountedVolume> volumes =
        volumesOf(rootLine + "50 27 179:1 / /media/user/SLOT rw - vfat /dev/mmcblk0p1 rw\n"
                             "51 27 8:49 / /media/user/BACKUP rw - ext4 /dev/sdd1 rw\n"
                             "52 27 0:50 / /net rw - nfs4 files.example.net:/ rw\n"
                             "53 27 8:17 / /media/user/READER rw - vfat /dev/sdb1 rw\n"
                             "54 27 8:32 / /media/user/WHOLE ro - vfat /dev/sdc ro\n");
    QCOMPARE(rootPaths(volumes, true),
             (QStringList{QStringLiteral("/media/user/SLOT"), QStringLiteral("/media/user/READER"),
                          QStringLiteral("/media/user/WHOLE")}));
    QCOMPARE(rootPaths(volumes, false),
             (QStringList{QStringLiteral("/"), QStringLiteral("/media/user/BACKUP"), QStringLiteral("/net")}));
}

void TestLinuxDrives::cardMountedTwiceIsListedOnce()
{
    // The card stays where it was mounted first; the bind mount and a second card keep their places.
    const QVector<MountedVolume> volumes =
        volumesOf(rootLine + "50 27 8:17 / /media/user/CARD rw - vfat /dev/sdb1 rw\n"
                             "51 27 8:17 / /srv/card rw - vfat /dev/sdb1 rw\n"
                             "52 27 179:1 / /media/user/SLOT rw - vfat /dev/mmcblk0p1 rw\n"
                             "53 27 179:1 / /media/user/SLOT2 rw - vfat /dev/mmcblk0p1 rw\n");
    QCOMPARE(rootPaths(volumes, true),
             (QStringList{QStringLiteral("/media/user/CARD"), QStringLiteral("/media/user/SLOT")}));
}

void TestLinuxDrives::coveredCardIsNotListed()
{
    // A tmpfs mounted over the first card's mount point hides it; the card's bind mount elsewhere still reaches it.
    const QVector<MountedVolume> volumes = volumesOf(rootLine + "50 27 8:17 / /media/user/CARD rw - vfat /dev/sdb1 rw\n"
                                                                "51 50 0:70 / /media/user/CARD rw - tmpfs tmpfs rw\n"
                                                                "52 27 8:17 / /srv/card ro - vfat /dev/sdb1 rw\n");
    QCOMPARE(rootPaths(volumes, true), QStringList{QStringLiteral("/srv/card")});
    QVERIFY(volumes.at(3).readOnly);
}

void TestLinuxDrives::readOnlyFromMountTable()
{
    // The answer for a mount point comes from the topmost mount there.
    const QString table = writeTable(rootLine + "50 27 8:17 / /media/user/CARD ro - vfat /dev/sdb1 rw\n"
                                                "51 27 8:32 / /media/user/WHOLE rw - vfat /dev/sdc ro\n"
                                                "52 27 179:1 / /media/user/SLOT rw - vfat /dev/mmcblk0p1 rw\n"
                                                "53 27 8:49 / /media/user/STACK ro - ext4 /dev/sdd1 ro\n"
                                                "54 53 179:0 / /media/user/STACK rw - vfat /dev/mmcblk0 rw\n");
    const DrivePlatformLinux platform(sysfs, table);
    QVERIFY(platform.isReadOnly(QStringLiteral("/media/user/CARD")));
    QVERIFY(platform.isReadOnly(QStringLiteral("/media/user/WHOLE")));
    QVERIFY(!platform.isReadOnly(QStringLiteral("/media/user/SLOT")));
    QVERIFY(!platform.isReadOnly(QStringLiteral("/media/user/STACK")));
}

void TestLinuxDrives::missingMountTableGivesNoVolumes()
{
    const DrivePlatformLinux platform(sysfs, temporary.filePath(QStringLiteral("no-such-table")));
    QVERIFY(platform.mountedVolumes().isEmpty());
}

// Each reader once, by its USB port (both slots of the first reader are one reader), the SD slots by their
// controller; the fixed disks, eMMC and the optical drive are no readers.
void TestLinuxDrives::readersOfTheMachine()
{
    QStringList ids;
    for (const CardReader& reader : RemovableRuleLinux::removableReaders(sysfs))
        ids << reader.id;
    ids.sort();
    QCOMPARE(ids,
             QStringList({QStringLiteral("path-pci0000:00/0000:00:1c.0/0000:02:00.0/mmc_host/mmc0"),
                          QStringLiteral("path-pci0000:00/0000:00:1c.1/0000:03:00.0/mmc_host/mmc1"),
                          QStringLiteral("pci-0000:00:14.0-usb-0:2"), QStringLiteral("pci-0000:00:14.0-usb-0:3")}));
}

void TestLinuxDrives::deviceIdentity_data()
{
    QTest::addColumn<quint32>("minor");
    QTest::addColumn<quint32>("major");
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("disk");
    QTest::addColumn<QString>("image");
    QTest::addColumn<quint64>("capacity");

    QTest::newRow("USB reader, partition") << 17u << 8u << "Generic STORAGE DEVICE"
                                           << "058F63666485"
                                           << "sdb"
                                           << "" << quint64(15523840) * 512;
    // A USB device without a number of its own: the root hub's is not the reader's.
    QTest::newRow("USB reader without a number") << 32u << 8u << ""
                                                 << ""
                                                 << "sdc"
                                                 << "" << quint64(0);
    QTest::newRow("SD slot: the card's own number") << 1u << 179u << ""
                                                    << "0x1234abcd"
                                                    << "mmcblk0"
                                                    << "" << quint64(0);
    QTest::newRow("loop device") << 0u << 7u << ""
                                 << ""
                                 << "loop0"
                                 << "/srv/cards/a card.img" << quint64(0);
}

void TestLinuxDrives::deviceIdentity()
{
    QFETCH(quint32, major);
    QFETCH(quint32, minor);
    const BlockDeviceFacts facts = RemovableRuleLinux::describeDevice(sysfs, major, minor);
    QTEST(facts.reader, "reader");
    QTEST(facts.serial, "serial");
    QTEST(facts.diskName, "disk");
    QTEST(facts.backingFile, "image");
    QTEST(facts.capacity, "capacity");
}

void TestLinuxDrives::nativePlatformIsTheLinuxOne()
{
    const std::unique_ptr<DrivePlatform> platform = createNativeDrivePlatform();
    QVERIFY(dynamic_cast<DrivePlatformLinux*>(platform.get()));
}

void TestLinuxDrives::burstOfChangesIsToldOnce()
{
    VolumeWatcher watcher;
    QVERIFY(watcher.isWatching());
    QSignalSpy told(&watcher, &VolumeWatcher::volumesChanged);
    // A card's partitions, one after the other: one rebuild, once they have settled.
    for (int i = 0; i < 5; ++i)
        watcher.noteChange();
    QTRY_COMPARE_WITH_TIMEOUT(told.size(), 1, 5000);
    QTest::qWait(2 * VolumeWatcher::settleMilliseconds);
    QCOMPARE(told.size(), 1);
}

QString TestLinuxDrives::writeTable(const QByteArray& table)
{
    static int counter = 0;
    const QString path = temporary.filePath(QStringLiteral("mountinfo-%1").arg(++counter));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(table);
    return path;
}

QVector<MountedVolume> TestLinuxDrives::volumesOf(const QByteArray& table)
{
    return DrivePlatformLinux(sysfs, writeTable(table)).mountedVolumes();
}

QTEST_GUILESS_MAIN(TestLinuxDrives)

#include "tst_linuxdrives.moc"
