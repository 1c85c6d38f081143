#include "base/FileSystem.h"
#include "base/WideText.h"
#include "base/WinFiles.h"

#include <QDateTime>
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
        return {Entry::Kind::Link, QStringLiteral("a link"), QString(), QByteArray()};
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const QByteArray stamp = QByteArray::number(info.size()) + ':' +
                             QByteArray::number(info.lastModified().toMSecsSinceEpoch()) + ':' +
                             QByteArray::number(info.birthTime().toMSecsSinceEpoch());
    if (info.isDir())
        return {Entry::Kind::Folder, QStringLiteral("a folder"), QString(), stamp};
    if (info.isFile())
        return {Entry::Kind::RegularFile, QStringLiteral("a file"), QString(), stamp};
    return {Entry::Kind::Other, QStringLiteral("a device"), QString(), stamp};
}

std::optional<QString> FileSystem::folderIdentity(const QString& path)
{
    unsigned long serial = 0;
    unsigned long long index = 0;
    if (::folderIdentity(wide(QDir::toNativeSeparators(path)), serial, index) != 0)
        return std::nullopt;
    return QStringLiteral("%1-%2").arg(quint64(serial), 0, 16).arg(quint64(index), 0, 16);
}

FileSystem::MachineLock::MachineLock(const QString& name)
{
    bool elsewhere = false;
    unsigned long error = 0;
    void* lock = takeMachineLock(wide(QStringLiteral("OrvaConfigurator-") + name), elsewhere, error);
    if (lock) {
        handle = reinterpret_cast<qintptr>(lock);
        taken = State::Held;
    } else if (elsewhere) {
        taken = State::HeldElsewhere;
    } else {
        failure = systemFailure(error).value_or(QString());
    }
}

FileSystem::MachineLock::~MachineLock()
{
    if (handle != -1)
        closeHandle(reinterpret_cast<void*>(handle));
}

FileSystem::FileClaim::~FileClaim()
{
    if (handle != -1)
        closeHandle(reinterpret_cast<void*>(handle));
}

bool FileSystem::FileClaim::claim(QFile&, const QString& path)
{
    // The writer's own handle has kept the file from removal since it was created; this one keeps it past close().
    if (void* claimed = claimFile(wide(QDir::toNativeSeparators(path))))
        handle = reinterpret_cast<qintptr>(claimed);
    return true;
}

bool FileSystem::removeUnclaimedFile(const QString& path)
{
    return entryAt(path).kind == Entry::Kind::RegularFile && removeFileUnlessOpen(wide(QDir::toNativeSeparators(path)));
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
