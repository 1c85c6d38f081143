#include "drives/FileSystem.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray nativePath(const QString& path)
{
    return QFile::encodeName(path);
}
} // namespace

QString FileSystem::flushToMedium(QFile& file)
{
    if (!file.flush())
        return file.errorString();
    // fdatasync reports what the medium answered; a card that fails to take the data says so here, not at close().
    if (::fdatasync(file.handle()) != 0)
        return systemReason(errno);
    return QString();
}

QString FileSystem::flushFolder(const QString& path)
{
    const int descriptor = ::open(nativePath(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return systemReason(errno);
    QString reason;
    // Some file systems cannot flush a folder (EINVAL): their metadata reaches the medium with the file's own flush.
    if (::fsync(descriptor) != 0 && errno != EINVAL)
        reason = systemReason(errno);
    ::close(descriptor);
    return reason;
}

QString FileSystem::replaceEntry(const QString& from, const QString& to)
{
    // rename() replaces the entry itself: a symbolic link called `to` is replaced, not followed.
    if (::rename(nativePath(from).constData(), nativePath(to).constData()) != 0)
        return systemReason(errno);
    return QString();
}

QString FileSystem::openFromMedium(QFile& file, const QString& path)
{
    const int descriptor = ::open(nativePath(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0)
        return systemReason(errno);
    // The data was flushed: dropping the cached pages makes the next read come from the medium.
    ::posix_fadvise(descriptor, 0, 0, POSIX_FADV_DONTNEED);
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return file.errorString();
    }
    return QString();
}

bool FileSystem::isFolderOnVolume(const QString& path, const QString& rootPath)
{
    struct stat folder;
    struct stat root;
    return ::lstat(nativePath(path).constData(), &folder) == 0 && S_ISDIR(folder.st_mode) &&
           ::stat(nativePath(rootPath).constData(), &root) == 0 && folder.st_dev == root.st_dev;
}

std::tm FileSystem::localTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}
