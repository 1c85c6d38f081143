#include "base/SmallFile.h"

#include <QFile>
#include <QFileInfo>

SmallFile SmallFile::read(const QString& path, qint64 largest)
{
    SmallFile read;
    const QFileInfo info(path);
    if (!info.isFile()) {
        read.failure = Failure::NotAFile;
        return read;
    }
    if (info.size() > largest) {
        read.failure = Failure::TooLarge;
        return read;
    }
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        read.bytes = file.read(largest + 1);
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        read.failure = Failure::Unreadable;
        read.reason = file.errorString();
        read.bytes.clear();
    } else if (read.bytes.size() > largest) {
        read.failure = Failure::TooLarge;
        read.bytes.clear();
    }
    return read;
}
