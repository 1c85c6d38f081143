#include "base/FileSystem.h"

#include "base/FileKindPosix.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <utility>

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

QString notRegular(mode_t mode)
{
    return QStringLiteral("is %1, not a regular file").arg(describeFileKind(mode));
}

bool statOf(const QString& path, struct stat& status)
{
    return ::stat(nativePath(path).constData(), &status) == 0;
}

QByteArray stampOf(const struct stat& status)
{
    return QByteArray::number(quint64(status.st_dev)) + ':' + QByteArray::number(quint64(status.st_ino)) + ':' +
           QByteArray::number(quint64(status.st_mode)) + ':' + QByteArray::number(qint64(status.st_size)) + ':' +
           QByteArray::number(qint64(status.st_mtim.tv_sec)) + '.' +
           QByteArray::number(qint64(status.st_mtim.tv_nsec)) + ':' +
           QByteArray::number(qint64(status.st_ctim.tv_sec)) + '.' + QByteArray::number(qint64(status.st_ctim.tv_nsec));
}

bool sameNode(const struct stat& one, const struct stat& other)
{
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

// Whether the open descriptor is still the file named name in the folder (AT_FDCWD: a path): a clean-up may have
// removed it meanwhile.
bool stillNamed(int descriptor, int folder, const QByteArray& name)
{
    struct stat opened;
    struct stat named;
    return ::fstat(descriptor, &opened) == 0 && opened.st_nlink > 0 &&
           ::fstatat(folder, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 && sameNode(opened, named);
}

// Machine locks are files in the one temporary folder that every user and program of the machine shares (the
// environment's TMPDIR is a user's own). They stay there, empty: a lock file removed while another writer opens it
// would let two writers lock two different files.
const char lockFolder[] = "/tmp/";
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

bool FileSystem::isFolderOnVolume(const QString& path, const QString& rootPath)
{
    struct stat folder;
    struct stat root;
    return ::lstat(nativePath(path).constData(), &folder) == 0 && S_ISDIR(folder.st_mode) &&
           ::stat(nativePath(rootPath).constData(), &root) == 0 && folder.st_dev == root.st_dev;
}

namespace {
// What fstatat of name in the folder (or of a path, with AT_FDCWD) tells, without following a link.
FileSystem::Entry entryOf(int folder, const QByteArray& name)
{
    using Entry = FileSystem::Entry;
    struct stat status;
    if (::fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        // Nothing stands there, also when a file stands where a folder on the way should be.
        if (errno == ENOENT || errno == ENOTDIR)
            return {};
        return {Entry::Kind::Unreadable, QString(), systemReason(errno), QByteArray()};
    }
    Entry::Kind kind = Entry::Kind::Other;
    if (S_ISREG(status.st_mode))
        kind = Entry::Kind::RegularFile;
    else if (S_ISDIR(status.st_mode))
        kind = Entry::Kind::Folder;
    else if (S_ISLNK(status.st_mode))
        kind = Entry::Kind::Link;
    return {kind, describeFileKind(status.st_mode), QString(), stampOf(status)};
}
} // namespace

FileSystem::Entry FileSystem::entryAt(const QString& path)
{
    return entryOf(AT_FDCWD, nativePath(path));
}

std::optional<QString> FileSystem::folderIdentity(const QString& path)
{
    struct stat status;
    if (!statOf(path, status))
        return std::nullopt;
    return QStringLiteral("%1-%2").arg(quint64(status.st_dev), 0, 16).arg(quint64(status.st_ino), 0, 16);
}

namespace {
// Opens the lock file at path, creating it where none is; returns the descriptor, or -1 with failure set.
int openLockFile(const QByteArray& path, QString& failure)
{
    // Opened for reading only, which is all a lock needs, so that a lock file another user made serves this one too;
    // created only where none is (a sticky folder refuses to open another user's file with O_CREAT).
    constexpr int flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int descriptor = -1;
    for (int attempt = 0; descriptor < 0 && attempt < 4; ++attempt) {
        descriptor = ::open(path.constData(), flags);
        if (descriptor >= 0 || errno != ENOENT)
            break;
        descriptor = ::open(path.constData(), flags | O_CREAT | O_EXCL, 0644);
        // Everyone may open it, whatever the creator's umask.
        if (descriptor >= 0)
            ::fchmod(descriptor, 0644);
        else if (errno != EEXIST)
            break;
    }
    if (descriptor < 0) {
        failure = QStringLiteral("%1: %2").arg(QFile::decodeName(path), systemReason(errno));
        return -1;
    }
    struct stat status;
    if (::fstat(descriptor, &status) != 0)
        failure = QStringLiteral("%1: %2").arg(QFile::decodeName(path), systemReason(errno));
    else if (!S_ISREG(status.st_mode))
        failure = QStringLiteral("%1 %2").arg(QFile::decodeName(path), notRegular(status.st_mode));
    if (!failure.isEmpty()) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}
} // namespace

FileSystem::MachineLock::MachineLock(const QString& name)
{
    const QByteArray path = lockFolder + QByteArrayLiteral("orva-configurator-") + name.toLatin1() + ".lock";
    // A holder removes its lock file as it lets go: a lock taken on a file that was removed meanwhile is no lock, and
    // is taken again on the file that now has the name.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int descriptor = openLockFile(path, failure);
        if (descriptor < 0)
            return;
        // The system lets the lock go with the last descriptor of this open file: when the object goes, or the process.
        if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK)
                taken = State::HeldElsewhere;
            else
                failure = QStringLiteral("%1: %2").arg(QFile::decodeName(path), systemReason(errno));
            ::close(descriptor);
            return;
        }
        if (stillNamed(descriptor, AT_FDCWD, path)) {
            handle = descriptor;
            place = QFile::decodeName(path);
            taken = State::Held;
            return;
        }
        ::close(descriptor);
    }
    // Removed under this writer eight times over: others keep taking and letting go of the card.
    taken = State::HeldElsewhere;
}

FileSystem::MachineLock::~MachineLock()
{
    if (handle < 0)
        return;
    // Removed while it is held, so that nobody takes a lock on it any more (a lock file of another user in the sticky
    // folder stays; the next holder uses it).
    ::unlink(nativePath(place).constData());
    ::close(int(handle));
}

FileSystem::FileClaim::~FileClaim()
{
    if (handle >= 0)
        ::close(int(handle));
}

bool FileSystem::FileClaim::claim(QFile& file, const QString& path)
{
    const QFileInfo info(path);
    return claim(file, Folder(info.absolutePath()), info.fileName());
}

bool FileSystem::FileClaim::claim(QFile& file, const Folder& folder, const QString& name)
{
    // A descriptor of its own on the same open file: the claim outlives the writer's close() before the move.
    const int descriptor = ::fcntl(file.handle(), F_DUPFD_CLOEXEC, 0);
    if (descriptor < 0)
        return true;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        const bool cleanedUp = errno == EWOULDBLOCK; // a clean-up holds it, about to remove it
        ::close(descriptor);
        return !cleanedUp;
    }
    // A clean-up that locked and removed it before this claim leaves a file without a name.
    if (!stillNamed(descriptor, int(folder.handle), nativePath(name))) {
        ::close(descriptor);
        return false;
    }
    handle = descriptor;
    return true;
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
        // Another writer (a card of the same series) made it meanwhile: it is appended to as it stands.
        if (descriptor < 0 && errno == EEXIST)
            descriptor = ::open(name.constData(), flags);
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

namespace {
int openFolderAt(int folder, const QByteArray& name, int flags, QString& failure)
{
    const int descriptor = ::openat(folder, name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | flags);
    if (descriptor < 0)
        failure = systemReason(errno);
    return descriptor;
}
} // namespace

FileSystem::Folder::Folder(const QString& path)
{
    handle = openFolderAt(AT_FDCWD, nativePath(path), 0, failure);
}

FileSystem::Folder FileSystem::Folder::volumeRoot(const QString& rootPath)
{
    // A mount point names the root of what is mounted there: the caller proves it against the mount (isAt, device).
    return Folder(rootPath);
}

FileSystem::Folder::~Folder()
{
    if (handle >= 0)
        ::close(int(handle));
}

FileSystem::Folder::Folder(Folder&& other) noexcept
    : handle(std::exchange(other.handle, -1)), failure(std::move(other.failure))
{}

FileSystem::Folder& FileSystem::Folder::operator=(Folder&& other) noexcept
{
    if (this != &other) {
        if (handle >= 0)
            ::close(int(handle));
        handle = std::exchange(other.handle, -1);
        failure = std::move(other.failure);
    }
    return *this;
}

bool FileSystem::Folder::isAt(const QString& path) const
{
    struct stat opened;
    struct stat named;
    return handle >= 0 && ::fstat(int(handle), &opened) == 0 && statOf(path, named) && sameNode(opened, named);
}

quint64 FileSystem::Folder::device() const
{
    struct stat opened;
    if (handle < 0 || ::fstat(int(handle), &opened) != 0)
        return 0;
    return (quint64(major(opened.st_dev)) << 32) | minor(opened.st_dev);
}

bool FileSystem::Folder::sameVolume(const Folder& other) const
{
    struct stat one;
    struct stat two;
    return handle >= 0 && other.handle >= 0 && ::fstat(int(handle), &one) == 0 &&
           ::fstat(int(other.handle), &two) == 0 && one.st_dev == two.st_dev;
}

FileSystem::Folder FileSystem::Folder::folder(const QString& name) const
{
    Folder inside;
    inside.handle = openFolderAt(int(handle), nativePath(name), O_NOFOLLOW, inside.failure);
    return inside;
}

FileSystem::Entry FileSystem::Folder::entry(const QString& name) const
{
    return entryOf(int(handle), nativePath(name));
}

QStringList FileSystem::Folder::names() const
{
    QStringList names;
    // A descriptor of its own for the listing, which closedir() closes.
    const int descriptor = ::openat(int(handle), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return names;
    DIR* listing = ::fdopendir(descriptor);
    if (!listing) {
        ::close(descriptor);
        return names;
    }
    while (const dirent* entry = ::readdir(listing)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.append(QFile::decodeName(entry->d_name));
    }
    ::closedir(listing);
    return names;
}

std::optional<QString> FileSystem::Folder::makeFolder(const QString& name) const
{
    if (::mkdirat(int(handle), nativePath(name).constData(), 0777) != 0)
        return systemReason(errno);
    return std::nullopt;
}

std::optional<QString> FileSystem::Folder::createFile(QFile& file, const QString& name, bool& nameTaken) const
{
    nameTaken = false;
    const int descriptor = ::openat(int(handle), nativePath(name).constData(),
                                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        nameTaken = errno == EEXIST;
        return systemReason(errno);
    }
    // The mode is asked for whatever the umask.
    ::fchmod(descriptor, 0644);
    if (!file.open(descriptor, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return file.errorString();
    }
    return std::nullopt;
}

std::optional<QString> FileSystem::Folder::openFromMedium(QFile& file, const QString& name) const
{
    const int descriptor = ::openat(int(handle), nativePath(name).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
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

std::optional<QString> FileSystem::Folder::replaceEntry(const QString& from, const QString& to) const
{
    // rename() replaces the entry itself: a symbolic link called `to` is replaced, not followed.
    if (::renameat(int(handle), nativePath(from).constData(), int(handle), nativePath(to).constData()) != 0)
        return systemReason(errno);
    return std::nullopt;
}

std::optional<QString> FileSystem::Folder::flush() const
{
    // Some file systems cannot flush a folder (EINVAL): their metadata reaches the medium with the file's own flush.
    if (::fsync(int(handle)) != 0 && errno != EINVAL)
        return systemReason(errno);
    return std::nullopt;
}

bool FileSystem::Folder::removeUnclaimedFile(const QString& name) const
{
    const QByteArray native = nativePath(name);
    const int descriptor =
        ::openat(int(handle), native.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat status;
    // Only a regular file, only while no writer claims it, and only the very file that was looked at.
    const bool unclaimed = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
                           ::flock(descriptor, LOCK_EX | LOCK_NB) == 0 && stillNamed(descriptor, int(handle), native);
    const bool removed = unclaimed && ::unlinkat(int(handle), native.constData(), 0) == 0;
    ::close(descriptor);
    return removed;
}

void FileSystem::Folder::remove(const QString& name) const
{
    ::unlinkat(int(handle), nativePath(name).constData(), 0);
}

QString describeFileKind(mode_t mode)
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
