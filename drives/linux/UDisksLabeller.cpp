#include "drives/linux/UDisksLabeller.h"

#include "drives/linux/MountTableLinux.h"

#include <QByteArrayList>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QThread>

#include <algorithm>

#include <sys/sysmacros.h>

namespace {
const QString Service = QStringLiteral("org.freedesktop.UDisks2");
const QString RootObject = QStringLiteral("/org/freedesktop/UDisks2");
const QString ManagerObject = QStringLiteral("/org/freedesktop/UDisks2/Manager");
const QString ManagerInterface = QStringLiteral("org.freedesktop.UDisks2.Manager");
const QString BlockInterface = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString FilesystemInterface = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString DriveInterface = QStringLiteral("org.freedesktop.UDisks2.Drive");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString ObjectManagerInterface = QStringLiteral("org.freedesktop.DBus.ObjectManager");

// A volume that will not mount again at once (the label is still being written, an automounter got there
// first) is given a few more chances, a short pause apart.
constexpr int MountAttempts = 3;
constexpr unsigned long MountRetryPauseMs = 300;

// Every call asks the service to fail rather than start a password dialogue: the window waits for the call.
QVariantMap callOptions()
{
    return {{QStringLiteral("auth.no_user_interaction"), true}};
}

bool failed(const QDBusMessage& reply)
{
    return reply.type() != QDBusMessage::ReplyMessage;
}

// Errors after which the service cannot be expected to answer the next call either.
bool serviceUnreachable(const QDBusMessage& reply)
{
    if (!failed(reply))
        return false;
    static const QStringList unreachable = {
        QStringLiteral("org.freedesktop.DBus.Error.NoReply"),
        QStringLiteral("org.freedesktop.DBus.Error.Timeout"),
        QStringLiteral("org.freedesktop.DBus.Error.TimedOut"),
        QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"),
        QStringLiteral("org.freedesktop.DBus.Error.NameHasNoOwner"),
        QStringLiteral("org.freedesktop.DBus.Error.NoServer"),
        QStringLiteral("org.freedesktop.DBus.Error.Disconnected"),
    };
    return reply.type() == QDBusMessage::InvalidMessage || unreachable.contains(reply.errorName());
}

// UDisks2 answers "Cannot change label on mounted device of type filesystem:vfat." for a file system that it
// relabels only while unmounted; the same error name also means it cannot label the type at all.
bool refusedWhileMounted(const QDBusMessage& reply)
{
    return failed(reply) && reply.errorName() == QLatin1String("org.freedesktop.UDisks2.Error.NotSupported") &&
           reply.errorMessage().contains(QLatin1String("mounted"), Qt::CaseInsensitive);
}

// UDisks2 sends paths as byte strings that end with a zero byte.
QString fromByteString(const QByteArray& bytes)
{
    const int end = bytes.indexOf('\0');
    return QFile::decodeName(end < 0 ? bytes : bytes.left(end));
}

QVariant propertyValue(const QDBusMessage& reply)
{
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}
} // namespace

UDisksLabeller::UDisksLabeller(const QDBusConnection& bus, const QString& mountTable)
    : m_bus(bus), m_mountTable(mountTable), m_offlineTypes(defaultOfflineTypes())
{}

QStringList UDisksLabeller::defaultOfflineTypes()
{
    // The file systems that cards come with. Others that UDisks2 will not relabel while mounted (xfs, btrfs,
    // udf, ...) are found out by its refusal.
    return {QStringLiteral("vfat"), QStringLiteral("exfat"), QStringLiteral("ntfs")};
}

QString UDisksLabeller::relabel(const QString& rootPath, const QString& label) const
{
    const Mount mount = findMount(rootPath);
    if (!mount.found)
        return rootPath;
    const QString blockObject = findBlockObject(mount);
    if (blockObject.isEmpty())
        return rootPath;

    const QDBusMessage typeReply =
        call(blockObject, PropertiesInterface, QStringLiteral("Get"), {BlockInterface, QStringLiteral("IdType")});
    if (serviceUnreachable(typeReply))
        return rootPath;
    QString type = propertyValue(typeReply).toString();
    if (type.isEmpty())
        type = mount.fileSystemType;

    if (m_offlineTypes.contains(type))
        return relabelOffline(blockObject, rootPath, label);
    const QDBusMessage labelled =
        call(blockObject, FilesystemInterface, QStringLiteral("SetLabel"), {label, callOptions()});
    if (refusedWhileMounted(labelled))
        return relabelOffline(blockObject, rootPath, label);
    return rootPath;
}

EjectOutcome UDisksLabeller::eject(const QString& rootPath) const
{
    EjectOutcome outcome;
    const Mount mount = findMount(rootPath);
    if (!mount.found) {
        // Nothing is mounted there any more: the card may be taken out.
        outcome.result = EjectOutcome::Result::Ejected;
        return outcome;
    }
    const QString blockObject = findBlockObject(mount);
    if (blockObject.isEmpty()) {
        outcome.reason = QStringLiteral("The disk service (UDisks2) does not know the card.");
        return outcome;
    }
    const QDBusMessage unmounted = call(blockObject, FilesystemInterface, QStringLiteral("Unmount"), {callOptions()});
    if (failed(unmounted)) {
        outcome.reason = unmounted.errorMessage();
        return outcome;
    }
    outcome.result = EjectOutcome::Result::Ejected;

    // The drive that holds the card: a reader that can be powered off is, so that it can be pulled out safely.
    const QDBusMessage driveReply =
        call(blockObject, PropertiesInterface, QStringLiteral("Get"), {BlockInterface, QStringLiteral("Drive")});
    const QString drive = propertyValue(driveReply).value<QDBusObjectPath>().path();
    if (failed(driveReply) || drive.isEmpty() || drive == QLatin1String("/"))
        return outcome;
    const QDBusMessage canReply =
        call(drive, PropertiesInterface, QStringLiteral("Get"), {DriveInterface, QStringLiteral("CanPowerOff")});
    if (failed(canReply) || !propertyValue(canReply).toBool())
        return outcome;
    const QDBusMessage poweredOff = call(drive, DriveInterface, QStringLiteral("PowerOff"), {callOptions()});
    outcome.poweredOff = !failed(poweredOff);
    if (!outcome.poweredOff)
        outcome.reason = poweredOff.errorMessage();
    return outcome;
}

UDisksLabeller::Mount UDisksLabeller::findMount(const QString& rootPath) const
{
    Mount result;
    if (rootPath.isEmpty())
        return result;
    const QString wanted = QDir::cleanPath(rootPath);
    // A later entry for the same mount point lies on top of the earlier ones.
    const QVector<MountEntry> entries = MountTableLinux::read(m_mountTable);
    for (const MountEntry& entry : entries) {
        if (QDir::cleanPath(entry.mountPoint) != wanted)
            continue;
        result.deviceNumber = makedev(entry.major, entry.minor);
        result.fileSystemType = entry.fileSystemType;
        result.source = entry.source;
        result.found = true;
    }
    return result;
}

QString UDisksLabeller::findBlockObject(const Mount& mount) const
{
    if (mount.source.startsWith(QLatin1Char('/'))) {
        const QDBusMessage reply = call(ManagerObject, ManagerInterface, QStringLiteral("ResolveDevice"),
                                        {QVariantMap{{QStringLiteral("path"), mount.source}}, callOptions()});
        if (!failed(reply)) {
            const auto objects = qdbus_cast<QList<QDBusObjectPath>>(reply.arguments().value(0));
            if (!objects.isEmpty())
                return objects.first().path();
        } else if (reply.errorName() != QLatin1String("org.freedesktop.DBus.Error.UnknownMethod")) {
            return QString();
        }
    }
    // Services older than ResolveDevice, and mounts whose source is no device node: look through every block.
    return findBlockObjectByScan(mount);
}

QString UDisksLabeller::findBlockObjectByScan(const Mount& mount) const
{
    const QDBusMessage reply = call(RootObject, ObjectManagerInterface, QStringLiteral("GetManagedObjects"), {});
    if (failed(reply))
        return QString();
    QString byNumber;
    QString byName;
    const QDBusArgument objects = reply.arguments().value(0).value<QDBusArgument>();
    objects.beginMap();
    while (!objects.atEnd()) {
        QDBusObjectPath path;
        QMap<QString, QVariantMap> interfaces;
        objects.beginMapEntry();
        objects >> path >> interfaces;
        objects.endMapEntry();
        const auto block = interfaces.constFind(BlockInterface);
        if (block == interfaces.constEnd())
            continue;
        // The device number is exact; names can differ by a symbolic link (/dev/disk/by-uuid/...).
        if (mount.deviceNumber != 0 &&
            block->value(QStringLiteral("DeviceNumber")).toULongLong() == mount.deviceNumber) {
            byNumber = path.path();
            break;
        }
        if (byName.isEmpty() && !mount.source.isEmpty() &&
            (fromByteString(block->value(QStringLiteral("Device")).toByteArray()) == mount.source ||
             fromByteString(block->value(QStringLiteral("PreferredDevice")).toByteArray()) == mount.source))
            byName = path.path();
    }
    // Every map begun is ended, also when the search stopped early: the reader of each level holds the whole reply.
    objects.endMap();
    return byNumber.isEmpty() ? byName : byNumber;
}

QString UDisksLabeller::relabelOffline(const QString& blockObject, const QString& rootPath, const QString& label) const
{
    const QDBusMessage unmounted = call(blockObject, FilesystemInterface, QStringLiteral("Unmount"), {callOptions()});
    if (failed(unmounted)) {
        // A refusal (the card is busy, not authorised) leaves the volume mounted where it was. A call that got
        // no answer in time may still have unmounted it afterwards.
        if (unmounted.errorName() != QLatin1String("org.freedesktop.DBus.Error.NoReply"))
            return rootPath;
        return mountAgain(blockObject, rootPath);
    }
    // Whether the label took or not, the card must not be left unmounted.
    call(blockObject, FilesystemInterface, QStringLiteral("SetLabel"), {label, callOptions()});
    return mountAgain(blockObject, rootPath);
}

QString UDisksLabeller::mountAgain(const QString& blockObject, const QString& rootPath) const
{
    for (int attempt = 0; attempt < MountAttempts; ++attempt) {
        if (attempt > 0)
            QThread::msleep(MountRetryPauseMs);
        const QDBusMessage mounted = call(blockObject, FilesystemInterface, QStringLiteral("Mount"), {callOptions()});
        if (!failed(mounted)) {
            QString path = mounted.arguments().value(0).toString();
            if (!path.isEmpty())
                return path;
        }
        // Mounted after all: the answer came too late, or someone else (an automounter) mounted it first.
        bool answered = false;
        const QStringList points = mountPoints(blockObject, &answered);
        if (!points.isEmpty())
            return points.first();
        if (!answered)
            break; // another attempt would only wait for a hung or vanished service again
    }
    // The card stays unmounted until it is inserted again. The old root path leads nowhere now, so the steps
    // after the label cannot create the card directory and the window reports that the card was not found.
    return rootPath;
}

QStringList UDisksLabeller::mountPoints(const QString& blockObject, bool* answered) const
{
    const QDBusMessage reply = call(blockObject, PropertiesInterface, QStringLiteral("Get"),
                                    {FilesystemInterface, QStringLiteral("MountPoints")});
    *answered = !serviceUnreachable(reply);
    QStringList points;
    if (failed(reply))
        return points;
    const QByteArrayList raw = qdbus_cast<QByteArrayList>(propertyValue(reply));
    for (const QByteArray& point : raw)
        points.append(fromByteString(point));
    return points;
}

QDBusMessage UDisksLabeller::call(const QString& path, const QString& interface, const QString& method,
                                  const QVariantList& arguments) const
{
    const qint64 left = m_deadline.remainingTime();
    if (left == 0) {
        // As if the service had not answered: the callers then give up at once.
        return QDBusMessage::createError(QStringLiteral("org.freedesktop.DBus.Error.NoReply"),
                                         QStringLiteral("The time for labelling the volume is up."));
    }
    QDBusMessage message = QDBusMessage::createMethodCall(Service, path, interface, method);
    message.setArguments(arguments);
    // Several cards are labelled at once, each from a thread of its own, over the one system bus connection.
    // QDBusConnection::call() stores every reply's error in the connection's lastError without a lock, so two
    // threads calling at once free the same string twice; a pending call keeps its reply to itself.
    // waitForFinished() waits without running the event loop, so no other slot of the window runs meanwhile.
    QDBusPendingCall pending =
        m_bus.asyncCall(message, left < 0 ? m_timeoutMs : int(std::min<qint64>(m_timeoutMs, left)));
    pending.waitForFinished();
    return pending.reply();
}
