#include "base/FileSystem.h"
#include "base/FilesWindows.h"
#include "base/WideText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <fcntl.h>
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

bool FileSystem::isFolderOnVolume(const QString& path, const QString&)
{
    // A drive's folders are on its volume unless a junction leads elsewhere.
    return isPlainFolder(wide(QDir::toNativeSeparators(path)));
}

namespace {
// What stands at a native path. Windows has no FIFOs in its folders: what is neither a file nor a folder is a device.
FileSystem::Entry entryOfNative(const QString& native)
{
    using Entry = FileSystem::Entry;
    const FileEntryWindows found = entryAtPath(wide(native));
    if (found.error != 0)
        return {Entry::Kind::Unreadable, QString(), systemFailure(found.error).value_or(QString()), QByteArray()};
    if (!found.exists)
        return {};
    const QByteArray stamp = QByteArray::number(found.size) + ':' + QByteArray::number(found.written) + ':' +
                             QByteArray::number(found.created) + ':' + QByteArray::number(quint64(found.attributes));
    if (found.isLink)
        return {Entry::Kind::Link, QStringLiteral("a link"), QString(), stamp};
    if (found.isFolder)
        return {Entry::Kind::Folder, QStringLiteral("a folder"), QString(), stamp};
    if (found.isDevice)
        return {Entry::Kind::Other, QStringLiteral("a device"), QString(), stamp};
    return {Entry::Kind::RegularFile, QStringLiteral("a file"), QString(), stamp};
}

// The native path of name inside the native folder path.
QString nativeInside(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('\\')) ? QString(folder + name) : QString(folder + QLatin1Char('\\') + name);
}

// Whether the folder's path names its volume by the volume's name ("\\?\Volume{GUID}\"), which Qt cannot open files
// through: files there are opened with the system's own calls and handed to Qt.
bool reachedThroughVolumeName(const QString& place)
{
    return place.startsWith(QLatin1String("\\\\?\\"));
}

// The open handle as a descriptor in file; the descriptor (and with it the handle) closes with the file.
std::optional<QString> openHandle(QFile& file, void* handle, int flags, QIODevice::OpenMode mode)
{
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), flags | _O_BINARY);
    if (descriptor < 0) {
        closeHandle(handle);
        return QStringLiteral("The file could not be opened.");
    }
    if (!file.open(descriptor, mode, QFileDevice::AutoCloseHandle)) {
        _close(descriptor);
        return file.errorString();
    }
    return std::nullopt;
}
} // namespace

FileSystem::Entry FileSystem::entryAt(const QString& path)
{
    return entryOfNative(QDir::toNativeSeparators(path));
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

bool FileSystem::FileClaim::claim(QFile& file, const QString& path)
{
    const QFileInfo info(path);
    return claim(file, Folder(info.absolutePath()), info.fileName());
}

bool FileSystem::FileClaim::claim(QFile&, const Folder& folder, const QString& name)
{
    // The writer's own handle has kept the file from removal since it was created; this one keeps it past close().
    if (void* claimed = claimFile(wide(nativeInside(folder.place, name))))
        handle = reinterpret_cast<qintptr>(claimed);
    return true;
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
    if (!file.open(created ? mode | QIODevice::NewOnly : mode)) {
        // Another writer (a card of the same series) made it meanwhile: it is appended to as it stands.
        if (!created || entryAt(path).kind != Entry::Kind::RegularFile || !file.open(mode))
            return file.errorString();
        created = false;
    }
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

FileSystem::Folder::Folder(const QString& path)
{
    // A folder the user's profile redirects (a junction) serves as well as a plain one.
    const QString native = QDir::toNativeSeparators(path);
    const FileEntryWindows found = entryAtPath(wide(native));
    if (found.exists && found.isFolder) {
        place = native;
        identity = folderIdentity(place).value_or(QString());
    } else
        failure = found.error != 0 ? systemFailure(found.error).value_or(QString())
                                   : QStringLiteral("The folder is missing.");
}

FileSystem::Folder FileSystem::Folder::volumeRoot(const QString& rootPath)
{
    // Every later step names the volume itself, never the drive letter or mount folder, which another volume may take
    // meanwhile, or which a mount folder leaves on the computer's own disk once the card is gone.
    QString native = QDir::toNativeSeparators(rootPath);
    if (!native.endsWith(QLatin1Char('\\')))
        native += QLatin1Char('\\');
    std::wstring volume;
    if (volumeNamePath(wide(native), volume) == 0) {
        const QString named = QString::fromStdWString(volume);
        if (entryOfNative(named).kind == Entry::Kind::Folder) {
            Folder root;
            root.place = named;
            root.identity = folderIdentity(named).value_or(QString());
            return root;
        }
    }
    // A folder that is no volume's mount point (a test's stand-in for a card), or a system that reaches no file
    // through a volume's name (Wine): the path itself, which DrivePlatform::holdsRoot proves before each step that
    // counts; a drive letter leaves nothing to write into once its volume is gone.
    return Folder(rootPath);
}

FileSystem::Folder::~Folder() = default;

FileSystem::Folder::Folder(Folder&& other) noexcept
    : place(std::move(other.place)), identity(std::move(other.identity)), failure(std::move(other.failure))
{
    other.place.clear();
}

FileSystem::Folder& FileSystem::Folder::operator=(Folder&& other) noexcept
{
    place = std::move(other.place);
    identity = std::move(other.identity);
    failure = std::move(other.failure);
    other.place.clear();
    return *this;
}

bool FileSystem::Folder::isAt(const QString& path) const
{
    // The folder as it was opened: a path names no folder by itself, and another folder may have taken it since.
    return !identity.isEmpty() && identity == folderIdentity(path) && identity == folderIdentity(place);
}

quint64 FileSystem::Folder::device() const
{
    return 0;
}

bool FileSystem::Folder::sameVolume(const Folder& other) const
{
    const std::optional<QString> one = folderIdentity(place);
    const std::optional<QString> two = folderIdentity(other.place);
    return one && two && one->section(QLatin1Char('-'), 0, 0) == two->section(QLatin1Char('-'), 0, 0);
}

FileSystem::Folder FileSystem::Folder::folder(const QString& name) const
{
    Folder inside;
    const QString native = nativeInside(place, name);
    if (isPlainFolder(wide(native))) {
        inside.place = native;
        inside.identity = folderIdentity(native).value_or(QString());
    } else
        inside.failure = QStringLiteral("The folder is missing or a link.");
    return inside;
}

FileSystem::Entry FileSystem::Folder::entry(const QString& name) const
{
    return entryOfNative(nativeInside(place, name));
}

QStringList FileSystem::Folder::names() const
{
    QStringList names;
    for (const std::wstring& name : folderNames(wide(place)))
        names.append(QString::fromStdWString(name));
    return names;
}

std::optional<QString> FileSystem::Folder::makeFolder(const QString& name) const
{
    return systemFailure(createFolder(wide(nativeInside(place, name))));
}

std::optional<QString> FileSystem::Folder::createFile(QFile& file, const QString& name, bool& nameTaken) const
{
    if (!reachedThroughVolumeName(place)) {
        file.setFileName(QDir::fromNativeSeparators(nativeInside(place, name)));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return std::nullopt;
        nameTaken = entry(name).kind != Entry::Kind::Missing;
        return file.errorString();
    }
    unsigned long error = 0;
    void* handle = createNewFile(wide(nativeInside(place, name)), error, nameTaken);
    if (!handle)
        return systemFailure(error);
    return openHandle(file, handle, _O_WRONLY, QIODevice::WriteOnly | QIODevice::Unbuffered);
}

std::optional<QString> FileSystem::Folder::openFromMedium(QFile& file, const QString& name) const
{
    if (!reachedThroughVolumeName(place)) {
        const QString native = nativeInside(place, name);
        if (isReparsePoint(wide(native)))
            return QStringLiteral("The file is a link.");
        file.setFileName(QDir::fromNativeSeparators(native));
        if (!file.open(QIODevice::ReadOnly))
            return file.errorString();
        return std::nullopt;
    }
    unsigned long error = 0;
    bool isLink = false;
    void* handle = openFileForReading(wide(nativeInside(place, name)), error, isLink);
    if (!handle)
        return isLink ? QStringLiteral("The file is a link.") : systemFailure(error);
    return openHandle(file, handle, _O_RDONLY, QIODevice::ReadOnly);
}

std::optional<QString> FileSystem::Folder::replaceEntry(const QString& from, const QString& to) const
{
    return systemFailure(replaceFileWriteThrough(wide(nativeInside(place, from)), wide(nativeInside(place, to))));
}

std::optional<QString> FileSystem::Folder::flush() const
{
    // Windows gives a program no way to flush a folder: the move is written through instead.
    return std::nullopt;
}

bool FileSystem::Folder::removeUnclaimedFile(const QString& name) const
{
    return entry(name).kind == Entry::Kind::RegularFile && removeFileUnlessOpen(wide(nativeInside(place, name)));
}

void FileSystem::Folder::remove(const QString& name) const
{
    removeFile(wide(nativeInside(place, name)));
}
