#include "drives/FileSystem.h"

#include <QDir>
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

// The owner's part of Qt's permissions, as the mode a new file is created with.
mode_t ownerMode(QFileDevice::Permissions permissions)
{
    return mode_t((permissions.testFlag(QFileDevice::ReadOwner) ? S_IRUSR : 0) |
                  (permissions.testFlag(QFileDevice::WriteOwner) ? S_IWUSR : 0) |
                  (permissions.testFlag(QFileDevice::ExeOwner) ? S_IXUSR : 0));
}

QString describe(mode_t mode)
{
    if (S_ISREG(mode))
        return QStringLiteral("a regular file");
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISLNK(mode))
        return QStringLiteral("a symbolic link");
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    if (S_ISCHR(mode))
        return QStringLiteral("a character device");
    if (S_ISBLK(mode))
        return QStringLiteral("a block device");
    return QStringLiteral("not a file");
}

QString notRegular(mode_t mode)
{
    return QStringLiteral("is %1, not a regular file").arg(describe(mode));
}

bool statOf(const QString& path, struct stat& status)
{
    return ::stat(nativePath(path).constData(), &status) == 0;
}
} // namespace

std::optional<QString> FileSystem::flushToMedium(QFile& file)
{
    if (!file.flush())
        return file.errorString();
    // fdatasync reports what the medium answered; a card that fails to take the data says so here, not at close().
    if (::fdatasync(file.handle()) != 0)
        return systemReason(errno);
    return std::nullopt;
}

std::optional<QString> FileSystem::flushFolder(const QString& path)
{
    const int descriptor = ::open(nativePath(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return systemReason(errno);
    std::optional<QString> reason;
    // Some file systems cannot flush a folder (EINVAL): their metadata reaches the medium with the file's own flush.
    if (::fsync(descriptor) != 0 && errno != EINVAL)
        reason = systemReason(errno);
    ::close(descriptor);
    return reason;
}

std::optional<QString> FileSystem::replaceEntry(const QString& from, const QString& to)
{
    // rename() replaces the entry itself: a symbolic link called `to` is replaced, not followed.
    if (::rename(nativePath(from).constData(), nativePath(to).constData()) != 0)
        return systemReason(errno);
    return std::nullopt;
}

std::optional<QString> FileSystem::openFromMedium(QFile& file, const QString& path)
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
    return std::nullopt;
}

bool FileSystem::isFolderOnVolume(const QString& path, const QString& rootPath)
{
    struct stat folder;
    struct stat root;
    return ::lstat(nativePath(path).constData(), &folder) == 0 && S_ISDIR(folder.st_mode) &&
           ::stat(nativePath(rootPath).constData(), &root) == 0 && folder.st_dev == root.st_dev;
}

FileSystem::Entry FileSystem::entryAt(const QString& path)
{
    struct stat status;
    if (::lstat(nativePath(path).constData(), &status) != 0) {
        if (errno == ENOENT)
            return {};
        return {Entry::Kind::Unreadable, QString(), systemReason(errno)};
    }
    Entry::Kind kind = Entry::Kind::Other;
    if (S_ISREG(status.st_mode))
        kind = Entry::Kind::RegularFile;
    else if (S_ISDIR(status.st_mode))
        kind = Entry::Kind::Folder;
    else if (S_ISLNK(status.st_mode))
        kind = Entry::Kind::Link;
    return {kind, describe(status.st_mode), QString()};
}

std::optional<QString> FileSystem::makeFolder(const QString& path)
{
    if (::mkdir(nativePath(path).constData(), 0777) != 0)
        return systemReason(errno);
    return std::nullopt;
}

std::optional<QString> FileSystem::openOwnFileToAppend(QFile& file, const QString& path, bool& created)
{
    const QByteArray name = nativePath(path);
    // Looked at first, so that a FIFO or a device is never opened at all; what is opened is checked again below, so
    // that nothing swapped in meanwhile is written either.
    struct stat status;
    if (::lstat(name.constData(), &status) == 0 && !S_ISREG(status.st_mode))
        return notRegular(status.st_mode);
    constexpr int flags = O_RDWR | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    created = false;
    int descriptor = ::open(name.constData(), flags);
    if (descriptor < 0 && errno == ENOENT) {
        descriptor = ::open(name.constData(), flags | O_CREAT | O_EXCL, ownerMode(FileSystem::ownFilePermissions));
        created = descriptor >= 0;
    }
    if (descriptor < 0) {
        const int openError = errno;
        if (::lstat(name.constData(), &status) == 0 && !S_ISREG(status.st_mode))
            return notRegular(status.st_mode);
        return systemReason(openError);
    }
    std::optional<QString> problem;
    if (::fstat(descriptor, &status) != 0)
        problem = systemReason(errno);
    else if (!S_ISREG(status.st_mode))
        problem = notRegular(status.st_mode);
    if (problem) {
        ::close(descriptor);
        return problem;
    }
    if (!file.open(descriptor, QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return file.errorString();
    }
    return std::nullopt;
}

bool FileSystem::isSystemOrHomeRoot(const QString& path)
{
    struct stat entry;
    struct stat parent;
    if (!statOf(path, entry) || !statOf(path + QStringLiteral("/.."), parent))
        return false;
    // The root of a file system is where the parent lies on another one ("/" is its own parent).
    const bool fileSystemRoot = entry.st_dev != parent.st_dev || entry.st_ino == parent.st_ino;
    if (!fileSystemRoot)
        return false;
    for (const QString& held : {QDir::rootPath(), QDir::homePath()}) {
        struct stat holder;
        if (statOf(held, holder) && holder.st_dev == entry.st_dev)
            return true;
    }
    return false;
}
