#include "base/RegularFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <io.h>
#include <windows.h>

namespace {
RegularFileRead outcome(RegularFileRead::Outcome outcome, const QString& kind = QString(),
                        const QString& reason = QString())
{
    RegularFileRead read;
    read.outcome = outcome;
    read.kind = kind;
    read.reason = reason;
    return read;
}
} // namespace

RegularFileRead readRegularFile(const QString& path, qint64 largest)
{
    using Outcome = RegularFileRead::Outcome;
    // Windows has no FIFOs in its folders; a folder and a device name (CON, NUL, a pipe) are what is not a file.
    const QFileInfo info(path);
    if (info.isDir())
        return outcome(Outcome::NotRegular, QStringLiteral("a folder"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return outcome(file.error() == QFileDevice::OpenError && !existsAt(path) ? Outcome::Missing : Outcome::Failed,
                       QString(), file.errorString());
    }
    // Checked on what was opened, so that a device name that opens like a file is never read.
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK)
        return outcome(Outcome::NotRegular, QStringLiteral("a device"));
    if (file.size() > largest)
        return outcome(Outcome::TooLarge);
    RegularFileRead read = outcome(Outcome::Read);
    read.bytes = file.read(qMin(file.size(), largest) + 1);
    if (file.error() != QFileDevice::NoError)
        return outcome(Outcome::Failed, QString(), file.errorString());
    if (read.bytes.size() > largest)
        return outcome(Outcome::TooLarge);
    return read;
}

QStringList pathArguments(int, char*[])
{
    // Windows gives the command line as UTF-16, which names every file.
    return QCoreApplication::arguments();
}

bool isFolder(const QString& path)
{
    return QFileInfo(path).isDir();
}

bool existsAt(const QString& path)
{
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}
