#pragma once

#include "base/TimeLimits.h"
#include "drives/DrivePlatform.h"

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QString>
#include <QStringList>
#include <QVariantList>

class QDBusMessage;

// Gives a mounted volume a new label through the desktop's disk service, UDisks2, on the bus its owner hands
// over. An ordinary desktop user cannot write to the card's device node, but the disk service that mounted the
// card may relabel it for the user.
//
// The volume is found by its root path in a mount table in the format of /proc/self/mountinfo. File systems
// that UDisks2 relabels only while unmounted (FAT, exFAT, NTFS, ...) are unmounted, labelled and mounted again;
// the new mount point is usually named after the new label. ext2/3/4 are labelled in place. A type this class
// does not know is first labelled in place, and unmounted only when the service refuses because it is mounted.
//
// Every call to the service is bounded by the timeout, and all of them together by the deadline, so that a missing or
// hung service costs the caller at most a few timeouts; once the deadline has passed, no call is made at all. No call
// asks the user for a password: a missing authorisation is a failure. Failures are silent: the caller gets the root
// path under which the volume can be found afterwards.
class UDisksLabeller
{
public:
    explicit UDisksLabeller(const QDBusConnection& bus = QDBusConnection::systemBus(),
                            const QString& mountTable = QStringLiteral("/proc/self/mountinfo"));

    // Upper bound of each call to the service, in milliseconds.
    int timeout() const { return m_timeoutMs; }
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    // When the last call to the service may end at the latest; none by default.
    void setDeadline(QDeadlineTimer deadline) { m_deadline = deadline; }

    // File system types (UDisks2's IdType names) that the service refuses to relabel while mounted.
    static QStringList defaultOfflineTypes();
    QStringList offlineTypes() const { return m_offlineTypes; }
    void setOfflineTypes(const QStringList& types) { m_offlineTypes = types; }

    // Labels the volume mounted at rootPath. Returns the root path of the volume afterwards: the new mount
    // point when it had to be mounted again, otherwise rootPath exactly as given (also on every failure
    // that left the volume where it was).
    QString relabel(const QString& rootPath, const QString& label) const;

    // Lets the card mounted at rootPath go: unmounts it and, where its drive can be powered off (a USB card reader),
    // powers the drive off. Ejected once it is unmounted; a drive that refuses to power off is told in the reason.
    EjectOutcome eject(const QString& rootPath) const;

private:
    struct Mount
    {
        QString source;         // the device node, as the mount table names it
        QString fileSystemType; // the kernel's name for it ("vfat", "ext4", "fuseblk")
        quint64 deviceNumber = 0;
        bool found = false;
    };

    Mount findMount(const QString& rootPath) const;
    QString findBlockObject(const Mount& mount) const;
    QString findBlockObjectByScan(const Mount& mount) const;
    QString fileSystemType(const QString& blockObject, const Mount& mount) const;
    QString relabelOffline(const QString& blockObject, const QString& rootPath, const QString& label) const;
    QString mountAgain(const QString& blockObject, const QString& rootPath) const;
    QStringList mountPoints(const QString& blockObject, bool* answered) const;
    QDBusMessage call(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& arguments) const;

    QDBusConnection m_bus;
    QString m_mountTable;
    int m_timeoutMs = int(TimeLimits::busCall.count());
    QDeadlineTimer m_deadline{QDeadlineTimer::Forever};
    QStringList m_offlineTypes;
};
