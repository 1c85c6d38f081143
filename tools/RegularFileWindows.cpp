#include "RegularFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <io.h>
#include <windows.h>

RegularFileRead readRegularFile(const QString& path, qint64 largest)
{
    // Windows has no FIFOs in its folders; a folder and a device name (CON, NUL, a pipe) are what is not a file.
    const QFileInfo info(path);
    if (info.isDir())
        return {RegularFileRead::Outcome::NotRegular, {}, QStringLiteral("is a folder, not a regular file")};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {RegularFileRead::Outcome::Failed, {}, QStringLiteral("cannot be read: ") % file.errorString()};
    // Checked on what was opened, so that a device name that opens like a file is never read.
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK)
        return {RegularFileRead::Outcome::NotRegular, {}, QStringLiteral("is a device, not a regular file")};
    if (file.size() > largest)
        return {RegularFileRead::Outcome::TooLarge, {}, {}};
    const QByteArray bytes = file.read(qMin(file.size(), largest) + 1);
    if (file.error() != QFileDevice::NoError)
        return {RegularFileRead::Outcome::Failed, {}, QStringLiteral("cannot be read: ") % file.errorString()};
    if (bytes.size() > largest)
        return {RegularFileRead::Outcome::TooLarge, {}, {}};
    return {RegularFileRead::Outcome::Read, bytes, {}};
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
