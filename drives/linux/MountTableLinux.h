#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// One line of the kernel's mount table (/proc/<pid>/mountinfo).
struct MountEntry
{
    int mountId = 0;
    int parentId = 0;  // the mount this one sits on; a mount on the same mount point covers that one
    quint32 major = 0; // 0 for file systems without a block device (tmpfs, NFS, FUSE, proc)
    quint32 minor = 0;
    QString root;          // the directory of the file system shown at the mount point: "/" unless bind-mounted
    QString mountPoint;    // decoded, as seen from this process's root
    bool readOnly = false; // the mount or its file system is read-only (what statvfs reports as ST_RDONLY)
    QString fileSystemType;
    QString source;
};

namespace MountTableLinux {
// Undoes the kernel's octal escapes ("\040" for a space, "\011", "\012", "\134") and decodes the file name.
QString decodeField(const QByteArray& field);
// The entries in table order; lines that do not have the mountinfo shape are skipped.
QVector<MountEntry> parse(const QByteArray& text);
// Reads and parses the table at path; empty when it cannot be read. Reads the file only, never the mounts.
QVector<MountEntry> read(const QString& path);
} // namespace MountTableLinux
