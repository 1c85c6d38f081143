#include "drives/FileSystem.h"
#include "drives/win/WideText.h"
#include "drives/win/WinVolumes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <io.h>

namespace {
// The system's message for a Windows error code; nothing for 0, which is no error.
std::optional<QString> systemFailure(unsigned long error)
{
    if (error == 0)
        return std::nullopt;
    return QString::fromStdWString(systemMessage(error));
}
} // namespace

std::optional<QString> FileSystem::flushToMedium(QFile& file)
{
    if (!file.flush())
        return file.errorString();
    return systemFailure(flushFileHandle(reinterpret_cast<void*>(_get_osfhandle(file.handle()))));
}

std::optional<QString> FileSystem::flushFolder(const QString&)
{
    // Windows gives a program no way to flush a folder: the move below is written through instead.
    return std::nullopt;
}

std::optional<QString> FileSystem::replaceEntry(const QString& from, const QString& to)
{
    return systemFailure(
        replaceFileWriteThrough(wide(QDir::toNativeSeparators(from)), wide(QDir::toNativeSeparators(to))));
}

std::optional<QString> FileSystem::openFromMedium(QFile& file, const QString& path)
{
    if (isReparsePoint(wide(QDir::toNativeSeparators(path))))
        return QStringLiteral("The file is a link.");
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    return std::nullopt;
}

bool FileSystem::isFolderOnVolume(const QString& path, const QString&)
{
    // A drive's folders are on its volume unless a junction leads elsewhere.
    return isPlainFolder(wide(QDir::toNativeSeparators(path)));
}

FileSystem::Entry FileSystem::entryAt(const QString& path)
{
    // Windows has no FIFOs in its folders: what is neither a file nor a folder is a device name.
    if (isReparsePoint(wide(QDir::toNativeSeparators(path))))
        return {Entry::Kind::Link, QStringLiteral("a link"), QString()};
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (info.isDir())
        return {Entry::Kind::Folder, QStringLiteral("a folder"), QString()};
    if (info.isFile())
        return {Entry::Kind::RegularFile, QStringLiteral("a file"), QString()};
    return {Entry::Kind::Other, QStringLiteral("a device"), QString()};
}

std::optional<QString> FileSystem::makeFolder(const QString& path)
{
    return systemFailure(createFolder(wide(QDir::toNativeSeparators(path))));
}

std::optional<QString> FileSystem::openOwnFileToAppend(QFile& file, const QString& path, bool& created)
{
    const Entry entry = entryAt(path);
    if (entry.kind != Entry::Kind::Missing && entry.kind != Entry::Kind::RegularFile)
        return QStringLiteral("is %1, not a regular file").arg(entry.description);
    file.setFileName(path);
    created = entry.kind == Entry::Kind::Missing;
    const QIODevice::OpenMode mode = QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered;
    if (!file.open(created ? mode | QIODevice::NewOnly : mode))
        return file.errorString();
    // Checked on what was opened, so that a device name that opens like a file is never written.
    if (!isDiskFileHandle(reinterpret_cast<void*>(_get_osfhandle(file.handle())))) {
        file.close();
        return QStringLiteral("is a device, not a regular file");
    }
    return std::nullopt;
}

bool FileSystem::isSystemOrHomeRoot(const QString& path)
{
    const QStorageInfo volume(path);
    if (!volume.isValid() || QDir::cleanPath(volume.rootPath()) != QDir::cleanPath(QFileInfo(path).absoluteFilePath()))
        return false;
    for (const QString& held : {qEnvironmentVariable("SystemRoot", QStringLiteral("C:/Windows")), QDir::homePath()}) {
        if (QStorageInfo(held).rootPath() == volume.rootPath())
            return true;
    }
    return false;
}
