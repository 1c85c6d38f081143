#include "drives/FileSystem.h"
#include "drives/win/WideText.h"
#include "drives/win/WinVolumes.h"

#include <QDir>
#include <QFile>

#include <io.h>

QString FileSystem::flushToMedium(QFile& file)
{
    if (!file.flush())
        return file.errorString();
    const unsigned long error = flushFileHandle(reinterpret_cast<void*>(_get_osfhandle(file.handle())));
    return error == 0 ? QString() : QString::fromStdWString(systemMessage(error));
}

QString FileSystem::flushFolder(const QString&)
{
    // Windows gives a program no way to flush a folder: the move below is written through instead.
    return QString();
}

QString FileSystem::replaceEntry(const QString& from, const QString& to)
{
    const unsigned long error =
        replaceFileWriteThrough(wide(QDir::toNativeSeparators(from)), wide(QDir::toNativeSeparators(to)));
    return error == 0 ? QString() : QString::fromStdWString(systemMessage(error));
}

QString FileSystem::openFromMedium(QFile& file, const QString& path)
{
    if (isReparsePoint(wide(QDir::toNativeSeparators(path))))
        return QStringLiteral("The file is a link.");
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    return QString();
}

bool FileSystem::isFolderOnVolume(const QString& path, const QString&)
{
    // A drive's folders are on its volume unless a junction leads elsewhere.
    return isPlainFolder(wide(QDir::toNativeSeparators(path)));
}

std::tm FileSystem::localTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    return local;
}
