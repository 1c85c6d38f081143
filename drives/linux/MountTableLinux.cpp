#include "drives/linux/MountTableLinux.h"

#include <QFile>
#include <QList>

namespace {
bool isOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

// "ro" among comma-separated options
bool hasReadOnlyOption(const QByteArray& options)
{
    const QList<QByteArray> list = options.split(',');
    return list.contains(QByteArrayLiteral("ro"));
}

bool parseDevice(const QByteArray& field, quint32& major, quint32& minor)
{
    const int colon = field.indexOf(':');
    if (colon < 0)
        return false;
    bool majorOk = false;
    bool minorOk = false;
    major = field.left(colon).toUInt(&majorOk);
    minor = field.mid(colon + 1).toUInt(&minorOk);
    return majorOk && minorOk;
}

// Fields: id parent MAJ:MIN root mount-point options [optional fields...] - type source super-options
bool parseLine(const QByteArray& line, MountEntry& entry)
{
    const QList<QByteArray> fields = line.split(' ');
    const int separator = fields.indexOf(QByteArrayLiteral("-"), 6);
    if (separator < 0 || fields.size() < separator + 4)
        return false;
    bool idOk = false;
    bool parentOk = false;
    entry.mountId = fields.at(0).toInt(&idOk);
    entry.parentId = fields.at(1).toInt(&parentOk);
    if (!idOk || !parentOk || !parseDevice(fields.at(2), entry.major, entry.minor))
        return false;
    entry.root = MountTableLinux::decodeField(fields.at(3));
    entry.mountPoint = MountTableLinux::decodeField(fields.at(4));
    entry.fileSystemType = MountTableLinux::decodeField(fields.at(separator + 1));
    entry.source = MountTableLinux::decodeField(fields.at(separator + 2));
    // statvfs reports ST_RDONLY for a read-only mount as well as for a read-only file system.
    entry.readOnly = hasReadOnlyOption(fields.at(5)) || hasReadOnlyOption(fields.at(separator + 3));
    return true;
}
} // namespace

QString MountTableLinux::decodeField(const QByteArray& field)
{
    QByteArray bytes;
    bytes.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        if (field.at(i) == '\\' && i + 3 < field.size() && isOctalDigit(field.at(i + 1)) &&
            isOctalDigit(field.at(i + 2)) && isOctalDigit(field.at(i + 3))) {
            bytes.append(
                char(((field.at(i + 1) - '0') << 6) | ((field.at(i + 2) - '0') << 3) | (field.at(i + 3) - '0')));
            i += 3;
        } else {
            bytes.append(field.at(i));
        }
    }
    return QFile::decodeName(bytes);
}

QVector<MountEntry> MountTableLinux::parse(const QByteArray& text)
{
    QVector<MountEntry> entries;
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray& line : lines) {
        MountEntry entry;
        if (parseLine(line, entry))
            entries.append(entry);
    }
    return entries;
}

QVector<MountEntry> MountTableLinux::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.readAll());
}
